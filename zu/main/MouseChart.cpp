// The chart's mouse: picking under the pointer for the pop-up menu, centring
// on a point, the rubber band with its distance and position angle, user
// lines, the coordinate read-out of the status bar, and dragging the zoom
// slider.
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>

#include <cmath>
#include <cstdio>

#include "chart/ChartState.h"
#include "platform/Services.h"
#include "skydata/DrawnLine.h"
#include "skydata/Settings.h"
#include "zu/core/ToolWindows.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/MouseReadout.h"
#include "zu/main/Pick.h"
#include "zu/tracks/MarkerWindow.h"

namespace zu {
namespace {

constexpr std::int32_t kUserLineColor = 65535;  // yellow
constexpr int kSliderMin = 10;
constexpr int kSliderMax = 1900;
constexpr int kSliderTop = 1910;
constexpr double kSliderTenths = 10;

int ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return kMouseLeft;
        case Qt::RightButton: return kMouseRight;
        case Qt::MiddleButton: return kMouseMiddle;
        default: return 0;
    }
}

int ButtonsOf(Qt::MouseButtons buttons) {
    int held = 0;
    if (buttons.testFlag(Qt::LeftButton)) held |= kMouseLeft;
    if (buttons.testFlag(Qt::RightButton)) held |= kMouseRight;
    if (buttons.testFlag(Qt::MiddleButton)) held |= kMouseMiddle;
    return held;
}

long WholePixel(double v) { return std::lround(std::nearbyint(v)); }

QString FovLabel(double fov_deg) {
    char text[48];
    std::snprintf(text, sizeof text, "%.1f", fov_deg);
    return QString::fromUtf8(text) + QString::fromUtf8("도");
}

// Passes the zoom slider's mouse events to the main window.
class SliderMouse final : public QObject {
public:
    SliderMouse(Form1& form, QProgressBar& slider) : QObject(&slider), form_(form) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                form_.Guarded([&] { form_.ProgressBar1_MouseDown(ButtonOf(mouse->button()), mouse->position().x()); });
                return true;
            }
            case QEvent::MouseMove: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                form_.Guarded([&] { form_.ProgressBar1_MouseMove(ButtonsOf(mouse->buttons()), mouse->position().x()); });
                return true;
            }
            case QEvent::MouseButtonRelease: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                form_.Guarded([&] { form_.ProgressBar1_MouseUp(ButtonOf(mouse->button()), mouse->position().x()); });
                return true;
            }
            default:
                return false;
        }
    }

private:
    Form1& form_;
};

}  // namespace

void Form1::ConnectChartMouse() {
    Picture1->onMouseDown = [this](QMouseEvent& e) {
        Picture1_MouseDown(ButtonOf(e.button()), e.position().x(), e.position().y());
    };
    Picture1->onMouseMove = [this](QMouseEvent& e) {
        Picture1_MouseMove(ButtonsOf(e.buttons()), e.position().x(), e.position().y());
    };
    Picture1->onMouseUp = [this](QMouseEvent& e) {
        Picture1_MouseUp(ButtonOf(e.button()), e.position().x(), e.position().y());
    };
    Picture1->onDoubleClick = [this](QMouseEvent& e) {
        if (e.button() == Qt::LeftButton) Picture1_DblClick();
    };
    ProgressBar1->installEventFilter(new SliderMouse(*this, *ProgressBar1));
}

void Form1::Picture1_MouseDown(int button, double x_px, double y_px) {
    ClearObjList();
    PressX = x_px;
    PressY = y_px;

    if (button == kMouseRight) {
        QAction* track = Menus->Action("mnuTrack");
        track->setEnabled(false);
        track->setText(QString::fromUtf8("좌표 고정"));
        const auto picked = PickCandidates(chart::Chart().ScreenObjects, WholePixel(x_px), WholePixel(y_px));
        for (const std::string& key : picked) AddObjList(key);
        ObjMenuSet();
        const QPoint at = Picture1->mapToGlobal(QPoint(static_cast<int>(WholePixel(x_px)), static_cast<int>(WholePixel(y_px))));
        platform::Env().popups->Popup(*Menus->Menu("mnuMRight"), at.x(), at.y());
    } else if (button == kMouseLeft) {
        const QPoint at(static_cast<int>(WholePixel(x_px)), static_cast<int>(WholePixel(y_px)));
        Picture1->SetRubberBand(QLine(at, at), true);
        if (LineMode) {
            LinePressX = WholePixel(x_px);
            LinePressY = WholePixel(y_px);
            SetLinePoint(1);
        }
    } else if (button == kMouseMiddle) {
        mnuCenter_Click();
    }
}

void Form1::mnuCenter_Click() {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    double lon = 0, lat = 0;
    chart::ScreenToSky(PressX, PressY, s.ViewCenterX, s.ViewCenterY, lon, lat, false);
    TrackOn = 0;
    s.ViewCenterX = lon;
    s.ViewCenterY = lat;
    SetMapBox();
}

void Form1::Picture1_DblClick() { mnuCenter_Click(); }

void Form1::Picture1_MouseMove(int buttons, double x_px, double y_px) {
    const bool band = buttons == kMouseLeft;
    QLine line = Picture1->RubberBand();
    if (band) {
        line.setP2(QPoint(static_cast<int>(WholePixel(x_px)), static_cast<int>(WholePixel(y_px))));
        Picture1->SetRubberBand(line, Picture1->RubberBandVisible());
    }
    const PointerTexts texts = PointerReadout(x_px, y_px, band, line.x1(), line.y1());
    SetPanel(1, QString::fromStdString(texts.panel1));
    if (texts.panel2) SetPanel(2, QString::fromStdString(*texts.panel2));
}

void Form1::Picture1_MouseUp(int button, double x_px, double y_px) {
    if (button != kMouseLeft) return;
    Picture1->SetRubberBand(Picture1->RubberBand(), false);
    if (!LineMode) return;
    // A release on the press's row or column draws nothing.
    if (WholePixel(x_px) == LinePressX || WholePixel(y_px) == LinePressY) return;
    PressX = x_px;
    PressY = y_px;
    SetLinePoint(2);
    skydata::AddDrawnLine(LineStart[0], LineStart[1], LineEnd[0], LineEnd[1], kUserLineColor, "");
    static_cast<FrmPoint&>(ToolWindow(ToolWindowId::FrmPoint, this)).RefreshLineList();
    SetMapBox();
}

void Form1::ProgressBar1_MouseDown(int button, double /*x_px*/) {
    if (button != kMouseLeft) return;
    Label1->setText(FovLabel(skydata::CurrentSettings().ViewFOV));
    Label1->setVisible(true);
}

void Form1::ProgressBar1_MouseMove(int buttons, double x_px) {
    if (buttons != kMouseLeft) return;
    const int width = std::max(1, ProgressBar1->width());
    double value = std::nearbyint(x_px / width * kSliderMax + kSliderMin);
    if (!(value >= kSliderMin)) value = kSliderMin;
    if (value > kSliderMax) value = kSliderMax;
    const int whole = static_cast<int>(value);
    ProgressBar1->setValue(whole);
    Label1->setText(FovLabel((kSliderTop - whole) / kSliderTenths));
}

void Form1::ProgressBar1_MouseUp(int button, double /*x_px*/) {
    if (button != kMouseLeft) return;
    skydata::CurrentSettings().ViewFOV = (kSliderTop - ProgressBar1->value()) / kSliderTenths;
    Label1->setVisible(false);
    SetMapBox();
}

}  // namespace zu
