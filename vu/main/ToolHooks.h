#pragma once
// What the calendar's main window opens: its tool windows from the menu
// (F2..F6, Ctrl+I) and the buttons cmdInfo(0..2), and the month grid's
// mouse: the tool tip of the cell under the pointer and, on a right-button
// release over a day, the day details of that day.
namespace vu {

class Form1;

// The cell of the grid under a pixel of a grid w x h pixels: the top 30
// pixels are the weekday header, then six rows; whole-number divisions
// truncating toward zero, column limited to 0..6 and row to 0..5 (the
// header gives row 0, the margins the nearest cell).
void CellUnderPointer(int x, int y, int w, int h, int& column, int& row);

// Connects the tool windows and the grid's mouse to the main window.
void ConnectToolWindows(Form1& form);

}  // namespace vu
