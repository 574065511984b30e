#include "ui/ToolControls.h"

#include <QEvent>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

#include <utility>

#include "astro/TextFormat.h"

#include "platform/Guard.h"

namespace ui {
namespace {

class SelectAllFilter final : public QObject {
public:
    explicit SelectAllFilter(QLineEdit& box) : QObject(&box), box_(box) { box.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            box_.selectAll();
            // A mouse press places the cursor after the focus arrived; the
            // selection is made again once the press is handled.
            QPointer<QLineEdit> box(&box_);
            QTimer::singleShot(0, &box_, [box] {
                if (box) box->selectAll();
            });
        }
        return false;
    }

private:
    QLineEdit& box_;
};

class LostFocusFilter final : public QObject {
public:
    LostFocusFilter(QWidget& control, std::function<void()> handler)
        : QObject(&control), handler_(std::move(handler)) {
        control.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) platform::Guard(handler_);
        return false;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

QString QText(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::string StdText(const QString& text) { return text.toUtf8().toStdString(); }

QString IndexedName(const char* name, int index) { return QString::fromUtf8(name) + '_' + QString::number(index); }

void SelectAllOnFocus(QLineEdit& box) { new SelectAllFilter(box); }

void BindEnterAndEscape(QWidget& window, QAbstractButton* enter, QAbstractButton* escape) {
    if (enter) {
        enter->setProperty("default", true);
        for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
            auto* shortcut = new QShortcut(QKeySequence(key), &window);
            QObject::connect(shortcut, &QShortcut::activated, enter, [enter] {
                if (enter->isEnabled() && enter->isVisible()) enter->click();
            });
        }
    }
    if (escape) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
        QObject::connect(shortcut, &QShortcut::activated, escape, [escape] {
            if (escape->isEnabled()) escape->click();
        });
    }
}

double BoxNumber(const QLineEdit* box) { return astro::ParseLeadingNumber(StdText(box->text())); }

void OnLostFocus(QWidget& control, std::function<void()> handler) { new LostFocusFilter(control, std::move(handler)); }

}  // namespace ui
