// SetMapBox: the one redraw entry of the main window.
#include <QLabel>
#include <QProgressBar>

#include <cmath>
#include <cstdio>

#include "astro/DateText.h"
#include "astro/JulianDay.h"
#include "astro/SkySettings.h"
#include "chart/DrawMap.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "skydata/Stars.h"
#include "zu/core/MainState.h"
#include "zu/main/ChartWidget.h"
#include "zu/main/Form1.h"
#include "zu/main/RedrawTexts.h"

namespace zu {
namespace {

constexpr int kZoomIndicatorTop = 1910;
constexpr int kZoomTenthsMin = 10;
constexpr int kZoomTenthsMax = 1900;

int YearOf(double jd_local) { return static_cast<int>(std::floor(astro::JDToYear(jd_local))); }

}  // namespace

std::string FovStatusText(double fov_deg) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", fov_deg);
    std::string number = buffer;
    // "##0.0#": the second decimal only when it is not zero.
    if (number.size() > 1 && number.back() == '0') number.pop_back();
    return "시야: " + number + "°";
}

int ZoomIndicatorValue(double fov_deg) {
    double tenths = std::nearbyint(fov_deg * 10);
    if (!(tenths <= kZoomTenthsMax)) tenths = kZoomTenthsMax;
    if (tenths < kZoomTenthsMin) tenths = kZoomTenthsMin;
    return kZoomIndicatorTop - static_cast<int>(tenths);
}

void Form1::SetMapBox() {
    MainState& state = AppState();
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    const std::int64_t t0 = platform::TickMs();

    state.ChartYear.Now = YearOf(s.CurrentJD);
    if (state.ChartYear.Now != state.ChartYear.Stars && s.calcpropermotion) {
        skydata::ComputeBscVectors(skydata::Catalogs(), s.CurrentJD, true);
        skydata::ComputeS2kVectors(skydata::Catalogs(), s.CurrentJD, true);
    }

    SetPanel(3, QString::fromStdString(FovStatusText(s.ViewFOV)));
    SetPanel(4, QString::fromUtf8("zu 그리는 중..."));

    if (TrackOn == 1) GetCenter(TrackKey);

    if (Picture1->width() >= 1 && Picture1->height() >= 1) {
        chart::ChartView view;
        view.lat_deg = s.lat;
        view.lst_h = state.LocalSiderealTime;
        view.center_lon_deg = s.ViewCenterX;
        view.center_lat_deg = s.ViewCenterY;
        view.fov_deg = s.ViewFOV;
        view.rotation_deg = s.MapRotation;
        view.coord_sys = s.ViewCoordSys;
        view.jd_local = s.CurrentJD;
        chart::ChartSources sources = chart::ModuleSources();
        sources.set_status_panel = [this](int panel, const std::string& text) {
            SetPanel(panel, QString::fromStdString(text));
        };
        chart::DrawMap(Picture1->Surface(), view, sources);
        Picture1->update();
    }

    InfoBox();

    setWindowTitle(QString::fromStdString("zu" + astro::DateTimeJDText(s.CurrentJD, true, s.CurrentJD, s.nobsname)));
    state.ChartYear.Stars = YearOf(s.CurrentJD);

    const std::int64_t t1 = platform::TickMs();
    state.DrawCount += 1;
    state.DrawTimeTotal += t1 - t0;

    ProgressBar1->setValue(ZoomIndicatorValue(s.ViewFOV));
}

}  // namespace zu
