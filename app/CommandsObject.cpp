#include "app/Commands.h"

namespace app {

void InstallObjectCommands(CommandTable& /*table*/) {}

}  // namespace app
