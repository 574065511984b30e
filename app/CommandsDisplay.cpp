#include "app/Commands.h"

namespace app {

void InstallDisplayCommands(CommandTable& /*table*/) {}

}  // namespace app
