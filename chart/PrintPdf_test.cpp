// Real printed pages: A4 PDFs from the Qt printer backend, rasterised by
// pdftoppm at 300 dots per inch and measured in millimetres. The PNGs stay in
// print_pages/ of the working folder for a person to look at.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "astro/AngleMath.h"
#include "chart/PrintTestSupport.h"
#include "platform/PrinterSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/Constellations.h"
#include "skydata/MilkyWay.h"
#include "skydata/StarNames.h"
#include "skydata/Stars.h"

namespace chart {
namespace {

namespace fs = std::filesystem;

constexpr double kPxPerMm = 300 / 25.4;
const fs::path kData = fs::path(ZU_SOURCE_DIR) / "data";

bool HavePdfToPpm() { return std::system("pdftoppm -v > /dev/null 2>&1") == 0; }

fs::path ArtefactFolder() {
    const fs::path folder = fs::current_path() / "print_pages";
    fs::create_directories(folder);
    return folder;
}

// Prints the page into `name`.pdf and returns its 300 dpi raster.
QImage PrintAndRasterise(testing::PrintFixture& f, const std::string& name) {
    const fs::path pdf = ArtefactFolder() / (name + ".pdf");
    auto document = platform::StartPrinterDocument(platform::PrintTarget{"", pdf});
    EXPECT_NE(document, nullptr);
    if (!document) return {};
    const ChartSources sources = f.Sources();
    EXPECT_FALSE(PrintChartPage(document->Page(), f.print, sources));
    EXPECT_TRUE(document->End());
    const fs::path prefix = ArtefactFolder() / name;
    // The PDF's media box is A4 rounded up to whole points (842 tall), so the
    // raster is cut to the 2480 x 3508 pixels of A4 itself.
    const std::string command =
        "pdftoppm -r 300 -png -singlefile -x 0 -y 0 -W 2480 -H 3508 '" + pdf.string() + "' '" + prefix.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    QImage image(QString::fromStdString(prefix.string() + ".png"));
    return image.convertToFormat(QImage::Format_Grayscale8);
}

bool Ink(const QImage& image, double x_mm, double y_mm) {
    const int x = static_cast<int>(std::lround(x_mm * kPxPerMm)), y = static_cast<int>(std::lround(y_mm * kPxPerMm));
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return false;
    return qGray(image.pixel(x, y)) < 160;
}

// Centre of the ink within `radius` mm of a point, in mm.
bool InkCentre(const QImage& image, double x_mm, double y_mm, double radius, double& cx, double& cy) {
    double sx = 0, sy = 0, n = 0;
    const int r = static_cast<int>(radius * kPxPerMm);
    const int x0 = static_cast<int>(x_mm * kPxPerMm), y0 = static_cast<int>(y_mm * kPxPerMm);
    for (int y = y0 - r; y <= y0 + r; ++y) {
        for (int x = x0 - r; x <= x0 + r; ++x) {
            if ((x - x0) * (x - x0) + (y - y0) * (y - y0) > r * r) continue;
            const double w = 255 - qGray(image.pixel(x, y));
            if (w < 96) continue;
            sx += w * (x + 0.5);
            sy += w * (y + 0.5);
            n += w;
        }
    }
    if (n == 0) return false;
    cx = sx / n / kPxPerMm;
    cy = sy / n / kPxPerMm;
    return true;
}

void LoadEverything(testing::PrintFixture& f) {
    skydata::LoadLog log;
    skydata::LoadBrightStars(f.catalogs, kData, f.print.jd_local, true, log);
    skydata::LoadStarNames(f.catalogs, kData, log);
    skydata::LinkStarNames(f.catalogs);
    f.constellations.MilkyWayPoint = skydata::LoadMilkyWay(kData, log);
    f.constellations.BoundaryPoint = skydata::LoadConstBounds(kData, log);
    f.constellations.W = skydata::LoadConstellationSystem(kData, 'W', log);
    f.constellations.E = skydata::LoadConstellationSystem(kData, 'E', log);
    f.constellations.O = skydata::LoadConstellationSystem(kData, 'O', log);
    for (auto* system : {&f.constellations.W, &f.constellations.E, &f.constellations.O})
        skydata::BuildConstLabels(system->Labels, system->Data, false);
}

void AllLayersOn(skydata::SettingsSnapshot& s) {
    s.viewequ = s.viewalt = s.cpolar = s.ipsoodo = s.viewconstname = s.viewconstnamee = s.viewoldmapname = true;
    s.viewecl = s.viewgalequ = s.milkyway = s.viewcboundary = s.viewconstline = s.viewconstlinee = true;
    s.viewoldmap = s.viewstarname1 = s.viewstarname2 = s.viewstar = s.drawhorizon = true;
    s.viewconstar = 1;
    s.underhorizon = 1;
    s.viewnamelimit = 6;
}

class PrintPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HavePdfToPpm()) GTEST_SKIP() << "pdftoppm is not installed (tools/setup.sh installs poppler-utils)";
        if (!fs::exists(kData / "bsc" / "bsc00.dat")) GTEST_SKIP() << "no bright-star zone files";
        platform::EnsureQtApp();
    }
};

TEST_F(PrintPdfTest, AllSkyHorizonIsOneCircleOfTheRightRadius) {
    testing::PrintFixture f;
    f.AllSky();
    f.settings.drawhorizon = true;
    const QImage page = PrintAndRasterise(f, "allsky_horizon");
    ASSERT_EQ(page.width(), 2480);
    ASSERT_EQ(page.height(), 3508);
    for (int k = 0; k < 8; ++k) {
        const double a = (22.5 + 45 * k) * astro::kPi / 180;
        std::vector<double> runs;
        bool inside = false;
        double start = 0;
        for (double r = 40; r <= 95; r += 0.02) {
            const bool ink = Ink(page, 105.5 + r * std::cos(a), 148.5 + r * std::sin(a));
            if (ink && !inside) start = r;
            if (!ink && inside) runs.push_back((start + r) / 2);
            inside = ink;
        }
        ASSERT_EQ(runs.size(), 1u) << k;
        EXPECT_NEAR(runs[0], 82.93, 0.3) << k;
    }
}

TEST_F(PrintPdfTest, OrionsBeltWhereTheStereographicFormulaPutsIt) {
    testing::PrintFixture f;
    f.print.center_lon_deg = 84.0534;
    f.print.center_lat_deg = -1.2019;
    f.print.fov_deg = 60;
    f.print.jd_local = 2451545.0;
    f.settings.viewstar = true;
    f.settings.viewbayer = f.settings.viewsn = f.settings.viewflam = false;
    f.settings.calcprecession = false;
    skydata::LoadLog log;
    skydata::LoadBrightStars(f.catalogs, kData, f.print.jd_local, true, log);
    const QImage page = PrintAndRasterise(f, "orion_belt");
    struct Star {
        const char* name;
        double x, y;
    };
    for (const Star& s : {Star{"Alnitak", 102.15, 150.68}, Star{"Alnilam", 105.50, 148.50},
                          Star{"Mintaka", 108.60, 145.84}}) {
        double cx, cy;
        ASSERT_TRUE(InkCentre(page, s.x, s.y, 1.5, cx, cy)) << s.name;
        EXPECT_NEAR(cx, s.x, 0.3) << s.name;
        EXPECT_NEAR(cy, s.y, 0.3) << s.name;
    }
}

TEST_F(PrintPdfTest, EveryLayerStaysInsideTheFrame) {
    for (bool allSky : {true, false}) {
        testing::PrintFixture f;
        if (allSky) {
            f.AllSky();
        } else {
            f.print.center_lon_deg = 84.0534;
            f.print.center_lat_deg = -1.2019;
        }
        f.print.jd_local = 2460390.5 + 21.0 / 24;
        f.print.lst_h = 8.5;
        f.print.lat_deg = 35.82;
        AllLayersOn(f.settings);
        LoadEverything(f);
        const QImage page = PrintAndRasterise(f, allSky ? "allsky_every_layer" : "equatorial_every_layer");
        const int left = static_cast<int>(14.5 * kPxPerMm), right = static_cast<int>(196.5 * kPxPerMm);
        const int top = static_cast<int>(14 * kPxPerMm), bottom = static_cast<int>(282.5 * kPxPerMm);
        int outside = 0;
        for (int y = 0; y < page.height(); ++y) {
            const uchar* row = page.constScanLine(y);
            for (int x = 0; x < page.width(); ++x) {
                if (row[x] >= 160) continue;
                if (x < left || x > right || y < top || y > bottom) ++outside;
            }
        }
        EXPECT_EQ(outside, 0) << allSky;
    }
}

}  // namespace
}  // namespace chart
