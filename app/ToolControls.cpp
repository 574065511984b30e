#include "app/ToolControls.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace app {
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

}  // namespace

QString IndexedName(const char* name, int index) { return QString::fromUtf8(name) + '_' + QString::number(index); }

void SelectAllOnFocus(QLineEdit& box) { new SelectAllFilter(box); }

}  // namespace app
