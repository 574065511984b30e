#include "app/Commands.h"

namespace app {

void InstallWindowCommands(CommandTable& /*table*/) {}

}  // namespace app
