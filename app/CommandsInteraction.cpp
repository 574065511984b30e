#include "app/Commands.h"

namespace app {

void InstallInteractionCommands(CommandTable& /*table*/) {}

}  // namespace app
