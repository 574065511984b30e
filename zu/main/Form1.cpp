#include "zu/main/Form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cmath>

#include "astro/JulianDay.h"
#include "platform/Guard.h"
#include "platform/RunTimeError.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"
#include "skydata/Settings.h"
#include "zu/core/ChartHost.h"
#include "zu/core/MainState.h"
#include "zu/core/ProgramLoad.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/InfoWindow.h"

namespace zu {
namespace {

Form1* g_instance = nullptr;

constexpr int kDesignedWidth_px = 800;
constexpr int kDesignedHeight_px = 600;
constexpr int kTimer1Interval_ms = 1000;
constexpr int kTimer3DesignedInterval_ms = 100;
// How often a redraw held while long work runs looks whether the work is over.
constexpr int kHeldRedrawRetry_ms = 100;
constexpr int kWheelNotch = 120;
constexpr int kIndicatorGap_px = 5;
constexpr int kIndicatorBarWidth_px = 120;
constexpr int kIndicatorImage_px = 16;
// The zoom indicator: both pictures, the slider and room for its label.
constexpr int kIndicatorWidth_px = 2 * kIndicatorImage_px + kIndicatorBarWidth_px + 70;
constexpr int kZoomIndicatorMin = 10;
constexpr int kZoomIndicatorMax = 1900;
constexpr int kLastViewButton = 30;
// Smallest stored window that still shows menus, toolbars and some chart.
constexpr int kMinStoredWidth_px = 160;
constexpr int kMinStoredHeight_px = 120;

// The client area: its resize is the window's resize handler.
class ClientArea final : public QWidget {
public:
    explicit ClientArea(Form1& form) : QWidget(&form), form_(form) { setObjectName("Form1Client"); }

protected:
    void resizeEvent(QResizeEvent*) override {
        if (isVisible()) form_.Guarded([this] { form_.Form_Resize(); });
    }
    void showEvent(QShowEvent*) override {
        form_.Guarded([this] { form_.Form_Resize(); });
    }

private:
    Form1& form_;
};

}  // namespace

int VirtualKeyOf(int qt_key, bool keypad) {
    switch (qt_key) {
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Q: return 81;
        case Qt::Key_Plus: return keypad ? 107 : 187;
        case Qt::Key_Equal: return 187;
        case Qt::Key_Minus: return keypad ? 109 : 189;
        case Qt::Key_Underscore: return 189;
        case Qt::Key_Comma:
        case Qt::Key_Less: return 188;
        case Qt::Key_Period:
        case Qt::Key_Greater: return 190;
        default: return 0;
    }
}

Form1* Form1::Instance() { return g_instance; }

Form1::Form1() {
    setObjectName("Form1");
    setWindowTitle("zu");
    resize(kDesignedWidth_px, kDesignedHeight_px);
    g_instance = this;

    client_ = new ClientArea(*this);
    setCentralWidget(client_);

    Menus = std::make_unique<MainMenus>(*menuBar(), *this,
                                        [this](const std::string& name, int index) { Dispatch(name, index); });
    Bars = std::make_unique<Toolbars>(*client_, [this](ToolbarId bar, const std::string& key) {
        switch (bar) {
            case ToolbarId::Main: Guarded([&] { TbMain_ButtonClick(key); }); break;
            case ToolbarId::View: Guarded([&] { TbView_ButtonClick(key); }); break;
            case ToolbarId::Move: Guarded([&] { TbMove_ButtonClick(key); }); break;
        }
    });

    Picture1 = new ChartWidget(client_);
    Picture1->guard = [this](const std::function<void()>& handler) { Guarded(handler); };
    Picture1->onWheel = [this](int delta) { ChartWheel(delta); };
    BuildZoomIndicator();
    BuildStatusBar();
    ConnectChartMouse();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTimer1Interval_ms);
    connect(Timer1, &QTimer::timeout, this, [this] { Guarded([this] { Timer1_Timer(); }); });
    Timer3 = new QTimer(this);
    Timer3->setObjectName("Timer3");
    Timer3->setInterval(kTimer3DesignedInterval_ms);
    connect(Timer3, &QTimer::timeout, this, [this] { Guarded([this] { Timer3_Timer(); }); });
    Timer3->start();
    held_redraw_ = new QTimer(this);
    held_redraw_->setSingleShot(true);
    held_redraw_->setInterval(kHeldRedrawRetry_ms);
    connect(held_redraw_, &QTimer::timeout, this, [this] {
        if (platform::WorkRunning()) {
            held_redraw_->start();
            return;
        }
        Guarded([this] { SetMapBox(); });
    });

    InstallCommands(Commands);
    Form_Load();
}

Form1::~Form1() {
    if (g_instance == this) g_instance = nullptr;
}

void Form1::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StBar");
    bar->setSizeGripEnabled(true);
    // The mouse readouts share the room; the field of view and the
    // magnitude limit (or the work in progress) are short and always whole.
    const int stretch[4] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QString("StBarPanel%1").arg(i + 1));
        if (stretch[i] > 0) panels_[i]->setMinimumWidth(60);
        bar->addPermanentWidget(panels_[i], stretch[i]);
    }
}

void Form1::BuildZoomIndicator() {
    Picture2 = new QWidget(client_);
    Picture2->setObjectName("Picture2");
    Image1[0] = new QLabel(Picture2);
    Image1[0]->setObjectName("Image1_0");
    Image1[0]->setPixmap(ToolPixmap("fovwide", kIndicatorImage_px));
    Image1[1] = new QLabel(Picture2);
    Image1[1]->setObjectName("Image1_1");
    Image1[1]->setPixmap(ToolPixmap("fovnarrow", kIndicatorImage_px));
    ProgressBar1 = new QProgressBar(Picture2);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(kZoomIndicatorMin, kZoomIndicatorMax);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setToolTip(QString::fromUtf8("시야"));
    Label1 = new QLabel(QString::fromUtf8("190.0도"), Picture2);
    Label1->setObjectName("Label1");
    Label1->hide();
}

void Form1::SetPanel(int panel, const QString& text) {
    if (panel >= 1 && panel <= 4) panels_[panel - 1]->setText(text);
}

QString Form1::Panel(int panel) const { return panel >= 1 && panel <= 4 ? panels_[panel - 1]->text() : QString(); }

void Form1::Form_Load() {
    // No hook is needed for the wheel: the chart widget receives its own.
    LineMode = false;
    if (QMenu* popup = Menus->Menu("mnuMRight")) popup->hide();
    TrackOn = 0;
    MenuObjKey = "Null";
    TrackKey = "Null";
    FormSet();
}

void Form1::Form_Resize() {
    const bool shown = skydata::CurrentSettings().ShowToolBar;
    QToolBar* main = Bars->TbMain;
    QToolBar* view = Bars->TbView;
    QToolBar* move = Bars->TbMove;
    const int w = shown ? move->sizeHint().width() : 0;
    const int h = shown ? main->sizeHint().height() : 0;
    main->setVisible(shown);
    view->setVisible(shown);
    move->setVisible(shown);

    const int cw = client_->width();
    const int ch = client_->height();
    if (shown) {
        main->setGeometry(0, 0, cw, h);
        view->setGeometry(0, h, cw, h);
        move->setGeometry(0, 2 * h, w, std::max(0, ch - 2 * h));
        view->layout()->activate();
    }

    // The zoom indicator sits right of the last button of the view toolbar.
    // In a window too narrow for the buttons and the indicator the toolbar
    // gives up the indicator's room at its right end (the buttons that no
    // longer fit go to its extension menu) rather than have the indicator
    // cover its first buttons or run off the window.
    const int indicator_width = kIndicatorWidth_px;
    const auto last_button = [&]() -> QWidget* {
        QAction* last = Bars->ViewItem(kLastViewButton);
        QWidget* button = last ? view->widgetForAction(last) : nullptr;
        return button && button->isVisible() ? button : nullptr;
    };
    const auto indicator_left = [&](int otherwise) {
        QWidget* button = last_button();
        return button ? button->geometry().right() + 1 + kIndicatorGap_px : otherwise;
    };
    int left = kIndicatorGap_px;
    if (shown) {
        left = indicator_left(cw);
        if (left + indicator_width > cw) {
            const int room = std::max(0, cw - indicator_width - kIndicatorGap_px);
            view->setGeometry(0, h, room, h);
            view->layout()->activate();
            left = indicator_left(room + kIndicatorGap_px);
        }
    }
    const int ph = std::max(1, h - 2);
    Picture2->setGeometry(left, h + 1, indicator_width, ph);
    const auto centred = [ph](int own) { return (ph - own) / 2; };
    Image1[0]->setGeometry(0, centred(kIndicatorImage_px), kIndicatorImage_px, kIndicatorImage_px);
    const int barHeight = std::min(ph, 12);
    ProgressBar1->setGeometry(kIndicatorImage_px + 2, centred(barHeight), kIndicatorBarWidth_px, barHeight);
    Image1[1]->setGeometry(kIndicatorImage_px + kIndicatorBarWidth_px + 4, Image1[0]->y(), kIndicatorImage_px,
                           kIndicatorImage_px);
    const int labelHeight = Label1->sizeHint().height();
    Label1->setGeometry(2 * kIndicatorImage_px + kIndicatorBarWidth_px + 8, centred(labelHeight), 64, labelHeight);
    Picture2->setVisible(shown);
    Picture2->raise();

    Picture1->setGeometry(w, 2 * h, std::max(0, cw - w), std::max(0, ch - 2 * h));
    // Long work's caller may have half applied its state: the chart keeps
    // its last picture until the work is over.
    if (platform::WorkRunning()) {
        held_redraw_->start();
        return;
    }
    SetMapBox();
}

QSize StoredWindowSize(std::int32_t fwidth_twips, std::int32_t fheight_twips, const QSize& available) {
    const int width = fwidth_twips / kTwipsPerPixel;
    const int height = fheight_twips / kTwipsPerPixel;
    if (width < kMinStoredWidth_px || height < kMinStoredHeight_px) {
        const skydata::SettingsSnapshot defaults;
        return StoredWindowSize(defaults.fwidth, defaults.fheight, available);
    }
    QSize size(width, height);
    if (available.width() > 0) size.setWidth(std::min(size.width(), available.width()));
    if (available.height() > 0) size.setHeight(std::min(size.height(), available.height()));
    return size;
}

QSize Form1::SizeShowingEveryButton() {
    QToolBar* main = Bars->TbMain;
    QToolBar* view = Bars->TbView;
    QToolBar* move = Bars->TbMove;
    const int row_height = main->sizeHint().height();
    const int client_width = std::max({main->sizeHint().width(),
                                       view->sizeHint().width() + kIndicatorGap_px + kIndicatorWidth_px,
                                       statusBar()->minimumSizeHint().width()});
    const int client_height = 2 * row_height + move->sizeHint().height();
    return {client_width, client_height + menuBar()->sizeHint().height() + statusBar()->sizeHint().height()};
}

void Form1::ApplyStoredWindowState() {
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    if (s.fstate == 0) {
        setWindowState(Qt::WindowNoState);
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize available = screen ? screen->availableGeometry().size() : QSize();
        QSize size = StoredWindowSize(s.fwidth, s.fheight, available);
        // A first start has no size of the user's yet: the window opens wide
        // and tall enough for every toolbar button, as far as the screen allows.
        if (LoadedWithoutSettings()) {
            size = size.expandedTo(SizeShowingEveryButton());
            if (available.isValid()) size = size.boundedTo(available);
        }
        resize(size);
    } else if (s.fstate == 2) {
        setWindowState(Qt::WindowMaximized);
    }
}

void Form1::ShowAsStored() {
    if (skydata::CurrentSettings().fstate == 2) {
        showMaximized();
    } else {
        // The stored size fits the free area, but the frame comes on top of it.
        platform::ShowOnScreen(*this, nullptr);
    }
}

void Form1::Form_Unload() { SaveDefaultSettingsWithWindow(this); }

void Form1::closeEvent(QCloseEvent* event) {
    Guarded([this] { Form_Unload(); });
    event->accept();
    // Other open windows close with the program, without their own handlers.
    QApplication::quit();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    const int code = VirtualKeyOf(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
    if (code == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    Guarded([&] { Form_KeyDown(code); });
}

void Form1::Form_KeyDown(int key_code) {
    switch (key_code) {
        case 37: MoveOpr("l"); break;
        case 38: MoveOpr("u"); break;
        case 39: MoveOpr("r"); break;
        case 40: MoveOpr("d"); break;
        case 81: {
            skydata::SettingsSnapshot& s = skydata::CurrentSettings();
            s.RealTimeMode = !s.RealTimeMode;
            Timer3_Timer();
            SetMapBox();
            break;
        }
        case 107:
        case 187: ZoomOpr(0); break;
        case 109:
        case 189: ZoomOpr(1); break;
        case 188: Dispatch("mnuBackward"); break;
        case 190: Dispatch("mnuForward"); break;
        default: break;
    }
}

void Form1::ChartWheel(int angle_delta) {
    // Fine wheels and touchpads report parts of a notch; one zoom step per
    // whole notch, in the direction of the sum.
    wheel_accumulated_ += angle_delta;
    while (wheel_accumulated_ >= kWheelNotch) {
        wheel_accumulated_ -= kWheelNotch;
        ZoomOpr(0);
    }
    while (wheel_accumulated_ <= -kWheelNotch) {
        wheel_accumulated_ += kWheelNotch;
        ZoomOpr(1);
    }
}

void Form1::Timer1_Timer() {
    if (platform::WorkRunning()) return;
    QAction* inverse = Menus->Action("mnuInverse");
    const bool backward = inverse && inverse->isChecked();
    if (AppState().TimeStep < kSolarEventStepLimit) skydata::CurrentSettings().CurrentJD += backward ? -1 : 1;
    StepTime(backward);
}

void Form1::Timer3_Timer() {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    if (!s.RealTimeMode || platform::WorkRunning()) return;
    s.CurrentJD = ClockJDInZone(s.timezone, true);
    AppState().LocalSiderealTime = astro::CalcLST(s.CurrentJD, s.lon, s.timezone);
    SetMapBox();
}

void Form1::AdjustMagLimit(int lower) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.MagControl += lower != 0 ? -0.5f : 0.5f;
    SetMapBox();
}

bool Form1::Guarded(const std::function<void()>& handler) {
    const skydata::SettingsSnapshot settings = skydata::CurrentSettings();
    const MainState state = AppState();
    const int track_on = TrackOn;
    const std::string track_key = TrackKey;
    if (platform::Guard(handler)) return true;
    skydata::CurrentSettings() = settings;
    AppState() = state;
    TrackOn = track_on;
    TrackKey = track_key;
    return false;
}

void Form1::Dispatch(const std::string& name, int index) {
    Guarded([&] { Commands.Run(*this, name, index); });
}

}  // namespace zu
