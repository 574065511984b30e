#include "app/Commands.h"

namespace app {

void InstallViewCommands(CommandTable& /*table*/) {}

}  // namespace app
