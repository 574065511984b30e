#include "zu/main/Commands.h"

namespace zu {

bool CommandTable::Run(Form1& form, const std::string& name, int index) const {
    const auto found = handlers_.find(name);
    if (found == handlers_.end() || !found->second) return false;
    found->second(form, index);
    return true;
}

// Command groups add their installer call here, one line each.
void InstallCommands(CommandTable& table) {
    InstallInteractionCommands(table);
    InstallDisplayCommands(table);
    InstallViewCommands(table);
    InstallTimeCommands(table);
    InstallFileCommands(table);
    InstallObjectCommands(table);
    InstallWindowCommands(table);
}

}  // namespace zu
