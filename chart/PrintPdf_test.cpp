// Real printed pages: A4 PDFs from the Qt printer backend, rasterised by
// pdftoppm at 300 dots per inch and measured in millimetres. The PNGs stay in
// print_pages/ of the working folder for a person to look at.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "astro/AngleMath.h"
#include "astro/JulianDay.h"
#include "astro/OrbitElements.h"
#include "astro/Planets.h"
#include "chart/PathLists.h"
#include "chart/PrintTestSupport.h"
#include "platform/PrinterSurface.h"
#include "platform/QtTestApp.h"
#include "skydata/Constellations.h"
#include "skydata/DeepSky.h"
#include "skydata/Elements.h"
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

// Prints the page into `name`.pdf and returns its 300 dpi raster, in colour.
QImage PrintAndRasteriseColour(testing::PrintFixture& f, const std::string& name) {
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
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage PrintAndRasterise(testing::PrintFixture& f, const std::string& name) {
    return PrintAndRasteriseColour(f, name).convertToFormat(QImage::Format_Grayscale8);
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

// The darkest pixel of a box of the page (mm), where a stroke's ink is
// whole, and its contrast with the white paper.
QRgb DarkestIn(const QImage& image, double x0_mm, double y0_mm, double x1_mm, double y1_mm) {
    QRgb darkest = qRgb(255, 255, 255);
    for (int y = static_cast<int>(y0_mm * kPxPerMm); y <= static_cast<int>(y1_mm * kPxPerMm); ++y) {
        for (int x = static_cast<int>(x0_mm * kPxPerMm); x <= static_cast<int>(x1_mm * kPxPerMm); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qGray(p) < qGray(darkest)) darkest = p;
        }
    }
    return darkest;
}
double ContrastWithPaper(QRgb p) { return ContrastWithWhite(platform::Rgb(qRed(p), qGreen(p), qBlue(p))); }

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

// Every layer of the page, the bodies, deep sky and user objects among them,
// with the planets of the page's moment and the data set's comets and
// asteroids; a user catalogue, map points, a user line and a track.
struct EverythingData {
    std::array<skydata::CustomCatalog, 2> catalogues;
    std::vector<skydata::MapPoint> points;
    std::vector<skydata::DrawnLine> lines;
    skydata::PathSettings paths;
};

ChartSources EveryLayerOn(testing::PrintFixture& f, EverythingData& d) {
    AllLayersOn(f.settings);
    f.settings.viewshadow = f.settings.viewplanet = f.settings.drawcomet = f.settings.drawasteroid = true;
    f.settings.drawnonstellar = f.settings.ViewPath = true;
    f.settings.drawcuscat0 = f.settings.usercatfile0is = true;
    f.settings.cometlimit = f.settings.asteroidlimit = 12;
    LoadEverything(f);
    skydata::LoadLog log;
    skydata::LoadDeepSky(f.catalogs, kData, log);
    skydata::ComputeDsoVectors(f.catalogs);
    skydata::LoadComets(kData, log);
    skydata::LoadAsteroids(kData, log);
    skydata::CustomCatalog& cat = d.catalogues[0];
    for (int i = 0; i < 36; ++i) {
        skydata::CustomCatShape shape;
        shape.RA = i * 10;
        shape.Dec = -40 + (i % 9) * 10;
        shape.Size = 60;
        shape.Shape = static_cast<std::uint8_t>(1 + i % 5);
        shape.Color = skydata::RgbColor(255, 0, 255);
        shape.Name = "U";
        cat.Shapes[i % 5].push_back(shape);
    }
    for (int k = 0; k < 5; ++k) cat.Count[k] = static_cast<std::int32_t>(cat.Shapes[k].size());
    cat.Texts = {skydata::CustomCatText{200, 20, "글\r\n글", skydata::RgbColor(0, 0, 255)}};
    cat.Count[skydata::kCatText] = 1;
    d.points.resize(1);
    skydata::AddMapPoint(d.points, 120, 10, 2, 90, "M", skydata::RgbColor(0, 128, 0));
    d.lines.resize(1);
    skydata::AddDrawnLine(d.lines, 100, 0, 140, 20, skydata::RgbColor(255, 128, 0), "");
    PathListState& tracks = PathLists();
    tracks = PathListState{};
    for (int i = 0; i < 60; ++i) {
        PathVector v;
        astro::SphericalToCartesian(60 + i, 20 + 0.2 * i, v.x, v.y, v.z);
        v.Flag = i == 0;
        v.ColorIndex = 1;
        tracks.PathVectors.push_back(v);
        if (i % 10 == 0) tracks.PathMarks.push_back(PathMark{60.0 + i, 20 + 0.2 * i, "T", 0, 0, 0});
    }
    ChartSources sources = f.Sources();
    sources.calc_planets = [](double jd) { astro::CalcPlanets(jd); };
    sources.user_catalogs = &d.catalogues;
    sources.map_points = &d.points;
    sources.map_points_shown = true;
    sources.drawn_lines = &d.lines;
    sources.drawn_lines_shown = true;
    sources.path_settings = &d.paths;
    return sources;
}

QImage PrintSourcesAndRasterise(testing::PrintFixture& f, const ChartSources& sources, const std::string& name) {
    const fs::path pdf = ArtefactFolder() / (name + ".pdf");
    auto document = platform::StartPrinterDocument(platform::PrintTarget{"", pdf});
    EXPECT_NE(document, nullptr);
    if (!document) return {};
    EXPECT_FALSE(PrintChartPage(document->Page(), f.print, sources));
    EXPECT_TRUE(document->End());
    const fs::path prefix = ArtefactFolder() / name;
    const std::string command =
        "pdftoppm -r 300 -png -singlefile -x 0 -y 0 -W 2480 -H 3508 '" + pdf.string() + "' '" + prefix.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return QImage(QString::fromStdString(prefix.string() + ".png")).convertToFormat(QImage::Format_RGB32);
}

// Pixels darker than the paper and outside the frame.
int InkOutsideTheFrame(const QImage& page) {
    const int left = static_cast<int>(14.5 * kPxPerMm), right = static_cast<int>(196.5 * kPxPerMm);
    const int top = static_cast<int>(14 * kPxPerMm), bottom = static_cast<int>(282.5 * kPxPerMm);
    int outside = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) >= 160) continue;
            if (x < left || x > right || y < top || y > bottom) ++outside;
        }
    }
    return outside;
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
        EverythingData data;
        const ChartSources sources = EveryLayerOn(f, data);
        const QImage page =
            PrintSourcesAndRasterise(f, sources, allSky ? "allsky_every_layer" : "equatorial_every_layer");
        ASSERT_FALSE(page.isNull());
        EXPECT_EQ(InkOutsideTheFrame(page), 0) << allSky;
        astro::SmallBodies().Reset();
        PathLists() = PathListState{};
    }
}

TEST_F(PrintPdfTest, StarNamesAndTheEclipticSampleAreLegibleOnWhite) {
    testing::PrintFixture f;
    // Sirius in the middle of the page; its names in the styles' light grey.
    f.print.center_lon_deg = 101.2872;
    f.print.center_lat_deg = -16.7161;
    f.print.fov_deg = 40;
    f.settings.calcprecession = false;
    f.settings.viewstarname2 = true;
    f.settings.viewnamelimit = 2;
    ASSERT_EQ(f.styles.LayerStyle[3].Color, skydata::RgbColor(200, 200, 200));
    f.styles.LineColorTable[3] = skydata::RgbColor(255, 255, 0);
    skydata::LoadLog log;
    skydata::LoadBrightStars(f.catalogs, kData, f.print.jd_local, true, log);
    skydata::LoadStarNames(f.catalogs, kData, log);
    skydata::LinkStarNames(f.catalogs);
    const QImage page = PrintAndRasteriseColour(f, "sirius_name_and_legend");
    ASSERT_FALSE(page.isNull());

    // "Sirius" ends 2 mm left of the star, on its height.
    const QRgb name = DarkestIn(page, 85, 145.5, 103.6, 150);
    EXPECT_LT(qGray(name), 200) << "no name printed";
    EXPECT_GE(ContrastWithPaper(name), 3.0) << qRed(name) << "," << qGreen(name) << "," << qBlue(name);

    // The ecliptic's sample: red as the dotted line, not the yellow of its
    // line colour.
    const QRgb sample = DarkestIn(page, 25, 274.5, 41, 275.5);
    EXPECT_GE(ContrastWithPaper(sample), 3.0) << qRed(sample) << "," << qGreen(sample) << "," << qBlue(sample);
    EXPECT_GT(qRed(sample), 200);
    EXPECT_LT(qGreen(sample), 60);
    EXPECT_LT(qBlue(sample), 60);
}

// A reader takes the legend's words out of the PDF as printed, blanks and
// all (the fonts draw the blank with the glyph of control characters).
TEST_F(PrintPdfTest, LegendTextReadsAsPrinted) {
    testing::PrintFixture f;
    f.print.title = "겨울 하늘 zu";
    f.settings.nobsname = "서울 관측소";
    const fs::path pdf = ArtefactFolder() / "legend_text.pdf";
    auto document = platform::StartPrinterDocument(platform::PrintTarget{"", pdf});
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(PrintChartPage(document->Page(), f.print, f.Sources()));
    ASSERT_TRUE(document->End());
    std::string text;
    if (FILE* pipe = ::popen(("pdftotext '" + pdf.string() + "' -").c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
        ::pclose(pipe);
    }
    for (const char* words : {"겨울 하늘 zu", "범례", "등급", "관측지 위도: 37.5도", "관측 시각: 2000년 1월 1일",
                              "시야:", "60.0도 x 81.9도", "황도", "은하 적도", "서울 관측소"})
        EXPECT_NE(text.find(words), std::string::npos) << words << "\n" << text;
    for (const unsigned char c : text) EXPECT_TRUE(c >= 0x20 || c == '\n' || c == '\f') << int(c);
}

TEST_F(PrintPdfTest, EarthShadowIsHatchedNotSolid) {
    testing::PrintFixture f;
    f.print.jd_local = astro::DateToJD(2024, 3, 20, 21, 0, 0);
    f.print.fov_deg = 20;
    f.settings.viewshadow = true;
    f.settings.psystem = true;
    f.settings.calcprecession = true;
    astro::CalcPlanets(f.print.jd_local);
    const astro::PlanetRecord& sun = astro::Planets().PlanetTable[astro::kPlanetSun];
    f.print.center_lon_deg = astro::Norm360(sun.RA + 180);
    f.print.center_lat_deg = -sun.Dec;
    ChartSources sources = f.Sources();
    sources.calc_planets = [](double jd) { astro::CalcPlanets(jd); };
    const QImage page = PrintSourcesAndRasterise(f, sources, "earth_shadow");
    ASSERT_FALSE(page.isNull());
    // Along rows through the umbra (about 6 mm in radius, cross-hatched by
    // both hatches), left of the label: ink alternates with white, with
    // white runs of 0.3 mm and more between hatch lines and more paper than
    // ink (a solid fill, or a hatch too fine to see, would leave none). Where
    // a line of each hatch nearly meet on a row, the run between them is
    // short, so the longest run of each row is what is measured.
    for (const double dy : {-3.0, -1.0, 0.0, 2.5}) {
        std::vector<double> whiteRuns;
        int inkRuns = 0;
        bool ink = false;
        double start = 0;
        int white = 0, samples = 0;
        for (double x = 105.5 - 4.5; x <= 107.4; x += 0.02) {
            const int px = static_cast<int>(x * kPxPerMm), py = static_cast<int>((148.5 + dy) * kPxPerMm);
            const bool now = qGray(page.pixel(px, py)) < 200;
            ++samples;
            if (!now) ++white;
            if (now && !ink) {
                ++inkRuns;
                if (start > 0) whiteRuns.push_back(x - start);
            }
            if (!now && ink) start = x;
            ink = now;
        }
        EXPECT_GE(inkRuns, 4) << dy;
        ASSERT_GE(whiteRuns.size(), 3u) << dy;
        EXPECT_GE(*std::max_element(whiteRuns.begin(), whiteRuns.end()), 0.3) << dy;
        EXPECT_GT(white, samples / 2) << dy;
    }
}

TEST_F(PrintPdfTest, AllSkyWithEveryLayerMoonInPlaceAndNothingOutsideTheFrame) {
    testing::PrintFixture f;
    f.AllSky();
    f.print.lat_deg = 35.82;
    f.print.jd_local = astro::DateToJD(2024, 1, 26, 0, 0, 0);
    f.settings.lon = 127.0;
    f.settings.timezone = 9;
    f.print.lst_h = astro::CalcLST(f.print.jd_local, f.settings.lon, f.settings.timezone);
    EverythingData data;
    const ChartSources sources = EveryLayerOn(f, data);
    const QImage page = PrintSourcesAndRasterise(f, sources, "allsky_every_body");
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(InkOutsideTheFrame(page), 0);

    // The Moon's page position from the page state of the print.
    const astro::PlanetRecord& moon = astro::Planets().PlanetTable[astro::kPlanetMoon];
    const FrameMatrices frames =
        MakeFrameMatrices(f.print.coord_sys, f.print.lat_deg, f.print.lst_h * 15, f.print.jd_local,
                          f.settings.calcprecession);
    PrintContext c{sources, f.settings, f.styles, f.print, PrintPage(), frames, true};
    double x, y, z;
    astro::SphericalToCartesian(moon.TopoRA, moon.TopoDec, x, y, z);
    ToPrintChart(c, x, y, z, frames.DateToChart);
    ASSERT_GT(z, 500);  // high in the sky
    const PagePoint expected = ToPage(PrintPage(), x, y, z);
    // Centre of the grey fill of the disc.
    double sx = 0, sy = 0, n = 0;
    const int r = static_cast<int>(3 * kPxPerMm);
    const int x0 = static_cast<int>(expected.X * kPxPerMm), y0 = static_cast<int>(expected.Y * kPxPerMm);
    for (int py = y0 - r; py <= y0 + r; ++py) {
        for (int px = x0 - r; px <= x0 + r; ++px) {
            const QRgb p = page.pixel(px, py);
            const auto grey = [](int v) { return v >= 118 && v <= 138; };
            if (!grey(qRed(p)) || !grey(qGreen(p)) || !grey(qBlue(p))) continue;
            sx += px + 0.5;
            sy += py + 0.5;
            ++n;
        }
    }
    ASSERT_GT(n, 100);
    EXPECT_NEAR(sx / n / kPxPerMm, expected.X, 0.3);
    EXPECT_NEAR(sy / n / kPxPerMm, expected.Y, 0.3);
    astro::SmallBodies().Reset();
    PathLists() = PathListState{};
}

}  // namespace
}  // namespace chart
