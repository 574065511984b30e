#include "app/Commands.h"

namespace app {

void InstallTimeCommands(CommandTable& /*table*/) {}

}  // namespace app
