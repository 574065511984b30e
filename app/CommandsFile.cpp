#include "app/Commands.h"

namespace app {

void InstallFileCommands(CommandTable& /*table*/) {}

}  // namespace app
