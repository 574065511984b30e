#include "platform/QtFakes.h"

#include "platform/RecordingSurface.h"
#include "platform/WindowPlacement.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QWidget>

namespace platform {
namespace {

QAction* FindItem(QMenu& menu, const std::string& caption) {
    for (QAction* action : menu.actions()) {
        if (!action->isVisible() || !action->isEnabled() || action->isSeparator()) continue;
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindItem(*sub, caption)) return found;
            continue;
        }
        if (PlainCaption(action->text()) == caption) return action;
    }
    return nullptr;
}

}  // namespace

std::string PlainCaption(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain.toUtf8().toStdString();
}

QAction* FakePopupMenu::Popup(QMenu& menu, int x, int y, QAction* default_action) {
    menu.setDefaultAction(default_action);
    Shown record;
    record.x = x;
    record.y = y;
    if (default_action) record.default_item = PlainCaption(default_action->text());
    for (QAction* action : menu.actions()) {
        if (!action->isVisible()) continue;
        record.items.push_back(action->isSeparator() ? "-" : PlainCaption(action->text()));
    }
    shown.push_back(record);
    if (choices.empty()) return nullptr;
    const std::string choice = choices.front();
    choices.pop_front();
    if (choice.empty()) return nullptr;
    QAction* action = FindItem(menu, choice);
    if (action) action->trigger();
    return action;
}

void FakeWindowShow::OpenModal(QWidget& window, QWidget* owner) {
    MakeOwned(window, owner);
    shown.push_back(Shown{&window, window.windowTitle().toUtf8().toStdString(), true, owner});
    window.setWindowModality(Qt::WindowModal);
    ShowOnScreen(window, owner);
}

void FakeWindowShow::ShowOwned(QWidget& window, QWidget* owner) {
    MakeOwned(window, owner);
    shown.push_back(Shown{&window, window.windowTitle().toUtf8().toStdString(), false, owner});
    ShowOnScreen(window, owner);
}

void FakeClipboard::Clear() {
    image = QImage();
    text.clear();
    ++clears;
}

FakeQtEnv::FakeQtEnv(const std::string& program_name) : FakeEnv(program_name) {
    Services& s = Env();
    s.popups = &popups;
    s.windows = &windows;
    s.clipboard = &clipboard;
    printing.new_page = [] {
        auto page = std::make_unique<RecordingSurface>(211, 297, kPageCharWidth, kPageLineHeight);
        page->SetScaleMode(Scale::Pixels);
        page->ClearCalls();
        return page;
    };
}

}  // namespace platform
