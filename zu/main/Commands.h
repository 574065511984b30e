#pragma once
// The command table of the main window: every menu item and toolbar button
// runs a command by the name of its menu control ("mnuAlt") and the item
// index of a control array (0 for a single item). Each group of commands
// lives in its own file and adds its handlers through an installer listed in
// InstallCommands; a name without a handler does nothing.
#include <functional>
#include <map>
#include <string>

namespace zu {

class Form1;

using CommandHandler = std::function<void(Form1& form, int index)>;

class CommandTable {
public:
    void Add(const std::string& name, CommandHandler handler) { handlers_[name] = std::move(handler); }
    bool Has(const std::string& name) const { return handlers_.count(name) != 0; }
    // Runs the handler of `name`; false when there is none.
    bool Run(Form1& form, const std::string& name, int index) const;

private:
    std::map<std::string, CommandHandler> handlers_;
};

// Fills the table with the handlers of every command group.
void InstallCommands(CommandTable& table);

// The command groups, one file each.
void InstallInteractionCommands(CommandTable& table);
void InstallDisplayCommands(CommandTable& table);
void InstallViewCommands(CommandTable& table);
void InstallTimeCommands(CommandTable& table);
void InstallFileCommands(CommandTable& table);
void InstallObjectCommands(CommandTable& table);
void InstallWindowCommands(CommandTable& table);

}  // namespace zu
