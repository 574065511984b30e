#include "vu/main/ToolHooks.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>

#include "calendar/CalendarState.h"
#include "calendar/TimeBase.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"
#include "ui/ToolControls.h"
#include "ui/WrappedText.h"
#include "vu/grid/MonthGrid.h"
#include "vu/main/Form1.h"
#include "vu/main/VuWidgets.h"
#include "vu/windows/Form2.h"
#include "vu/windows/Form3.h"
#include "vu/windows/Frm24julgi.h"
#include "vu/windows/FrmDCal.h"
#include "vu/windows/FrmMoon.h"
#include "vu/windows/FrmOne.h"

namespace vu {
namespace {

constexpr int kGridColumns = 7;
constexpr int kGridRows = 6;
// Pixels between a tip and the pointer above or below it, with the tip's
// frame.
constexpr int kTipClearance = 40;

// Each opening makes a new window, shown modally without blocking; it is
// deleted once closed.
void OpenModal(QWidget* window, Form1& form) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    platform::Env().windows->OpenModal(*window, &form);
}

double MonthField(const Form1& form) { return ui::BoxNumber(form.txtMN); }

void OpenDetails(Form1& form, double jd) {
    DetailJD() = jd;
    OpenModal(new FrmDCal, form);
}

// The grid's mouse: tool tips while moving, the day details on a right
// release over a day.
class GridMouse final : public QObject {
public:
    GridMouse(Form1& form, QWidget& grid) : QObject(&grid), form_(form), grid_(grid) {
        grid.setMouseTracking(true);
        grid.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            int column = 0, row = 0;
            Cell(mouse->position().toPoint(), column, row);
            grid_.setToolTip(TipOf(MonthGrid().CellTip[column][row]));
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            form_.Run([&] {
                int column = 0, row = 0;
                Cell(mouse->position().toPoint(), column, row);
                if (MonthGrid().CellText[column][row].empty()) return;
                OpenDetails(form_, MonthGrid().CellJD[column][row]);
            });
        }
        return false;
    }

private:
    void Cell(QPoint at, int& column, int& row) const {
        CellUnderPointer(at.x(), at.y(), grid_.width(), grid_.height(), column, row);
    }

    // The cell's text as a tip that stays on the screen: wrapped (within a
    // word too when it has no blanks) to two thirds of the screen's free
    // width, and cut to the lines that fit above or below the pointer (a tip
    // under the pointer is closed as soon as it shows). The last one is
    // kept, as the pointer moves within a cell many times.
    QString TipOf(const std::string& text) {
        const QRect area = platform::ScreenAreaFor(grid_, nullptr);
        const QSize room(area.width() * 2 / 3, std::max(0, area.height() / 2 - kTipClearance));
        if (text != tip_text_ || room != tip_room_) {
            tip_text_ = text;
            tip_room_ = room;
            tip_ = ui::TipWithin(ui::QText(text), QToolTip::font(), room);
        }
        return tip_;
    }

    Form1& form_;
    QWidget& grid_;
    std::string tip_text_;
    QSize tip_room_;
    QString tip_;
};

}  // namespace

void CellUnderPointer(int x, int y, int w, int h, int& column, int& row) {
    const int row_height = (h - kHeaderPixels) / kGridRows;
    const int column_width = w / kGridColumns;
    row = row_height != 0 ? (y - kHeaderPixels) / row_height : 0;
    column = column_width != 0 ? x / column_width : 0;
    column = std::clamp(column, 0, kGridColumns - 1);
    row = std::clamp(row, 0, kGridRows - 1);
}

void ConnectToolWindows(Form1& form) {
    Form1::OutputHooks& hooks = form.Hooks;
    // Today when the grid shows it, else the Wednesday of the grid's second
    // row, which always lies in the month.
    hooks.DetailView = [&form] {
        const platform::LocalTime now = platform::Now();
        const double today = calendar::JulianDay(now.year, now.month, now.day, 12);
        double jd = MonthGrid().CellJD[3][1];
        for (const auto& column : MonthGrid().CellJD)
            for (const double day : column)
                if (day != 0 && day == today) jd = today;
        OpenDetails(form, jd);
    };
    hooks.Info = [&form](int index) {
        switch (index) {
            case 0: OpenModal(new FrmMoon(calendar::Calendar().CalYear, MonthField(form)), form); break;
            case 1: OpenModal(new Frm24julgi, form); break;
            default: OpenModal(new FrmOne(MonthField(form)), form); break;
        }
    };
    hooks.DirectChange = [&form] { OpenModal(new Form2([&form] { form.ReadFormSettings(); }), form); };
    hooks.Trans = [&form] {
        auto* table = new Form3(MonthField(form), [&form] { form.ReadFormSettings(); });
        // Closed, the window has put the main window's year back: the grid
        // is drawn afresh from it.
        QObject::connect(table, &QDialog::finished, &form, [&form] { form.Run([&form] { form.RefreshCalendar(); }); });
        OpenModal(table, form);
    };
    new GridMouse(form, *form.Grid);
}

}  // namespace vu
