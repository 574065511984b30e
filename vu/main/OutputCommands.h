#pragma once
// The calendar window's outputs of the displayed month: the HTML page
// (CmdHTML, Ctrl+H), the BMP picture of the grid (Command3, Ctrl+B), the
// printed page (cmdPrint, Ctrl+P) and the filled template (Ctrl+T). Each
// reads the side panel first; a cancelled dialog ends the command without a
// message and without a file, a failed write says so in a message and leaves
// no file, and every file is written atomically. Each kind's save dialog
// starts where the last file of that kind went (SaveFolders).
#include <filesystem>

namespace vu {

class Form1;

void SaveCalendarHtml(Form1& form);
void SaveCalendarBmp(Form1& form);
// The print dialog, then the month on one page per copy: a document per copy
// on a printer, one document of a page per copy into a PDF file.
void PrintCommand(Form1& form);
void TempletCommand(Form1& form);

// Where the template dialog starts: "Templet" of the user folder when it
// exists, else of the program folder.
std::filesystem::path TempletFolder();

// Connects the four outputs to the window's buttons and menu.
void ConnectOutputs(Form1& form);

}  // namespace vu
