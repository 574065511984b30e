#pragma once
// Small helpers for the controls of the tool windows. Every control carries
// its design name as Qt object name, an indexed control (a control array)
// as name "_" index, so tests and screenshots find it by that name:
// Option1(0) is "Option1_0", TxtNLon(2) "TxtNLon_2".
#include <QAbstractButton>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <string>
#include <string_view>
#include <functional>

namespace ui {

// Texts between the program (UTF-8 std::string) and the controls.
QString QText(std::string_view utf8);
std::string StdText(const QString& text);

// The number typed into a box by the leading-number rule (0 when there is
// none).
double BoxNumber(const QLineEdit* box);

// "Option1_0" for ("Option1", 0).
QString IndexedName(const char* name, int index);

// Gives the control its design name and returns it.
template <class Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromUtf8(name));
    return control;
}
template <class Control>
Control* Named(Control* control, const char* name, int index) {
    control->setObjectName(IndexedName(name, index));
    return control;
}

// The control of `window` with that design name (and index); nullptr when
// there is none of that type.
template <class Control>
Control* FindControl(const QWidget& window, const char* name) {
    return window.findChild<Control*>(QString::fromUtf8(name));
}
template <class Control>
Control* FindControl(const QWidget& window, const char* name, int index) {
    return window.findChild<Control*>(IndexedName(name, index));
}

// Selects the whole text of the box whenever it gets the focus (by key or
// by mouse), so typing replaces it.
void SelectAllOnFocus(QLineEdit& box);

// The default and cancel buttons of a tool window that is not a QDialog:
// Enter (either key) anywhere in the window clicks `enter` when it is
// enabled, Esc clicks `escape`. Either may be nullptr.
void BindEnterAndEscape(QWidget& window, QAbstractButton* enter, QAbstractButton* escape);
// Runs `handler` (inside the handler guard) whenever the control loses the
// focus.
void OnLostFocus(QWidget& control, std::function<void()> handler);

}  // namespace ui
