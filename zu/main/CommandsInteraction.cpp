#include "zu/main/Commands.h"
#include "zu/main/Form1.h"

namespace zu {

void InstallInteractionCommands(CommandTable& table) {
    // "가운데로(&C)" of the chart's pop-up: the pressed point to the centre.
    table.Add("mnuCenter", [](Form1& form, int) { form.mnuCenter_Click(); });
}

}  // namespace zu
