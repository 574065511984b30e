#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QImage>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/ImageSurface.h"
#include "platform/QtTestApp.h"
#include "platform/RecordingSurface.h"

namespace platform {
namespace {

constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kMagenta = Rgb(255, 0, 255);

class ImageSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApp(); }
    static Colour At(const ImageSurface& s, int x, int y) { return s.Point(x, y).value_or(0xFFFFFFFFu); }
};

TEST_F(ImageSurfaceTest, BoxOutlineInForeColourInteriorByFillStyle) {
    ImageSurface s(100, 100);
    s.SetScaleMode(Scale::Pixels);
    s.SetForeColor(kWhite);
    s.SetFillColor(kBlack);
    s.SetFillStyle(Fill::Solid);
    s.Line(10, 10, 90, 90, std::nullopt, Box::B);
    EXPECT_EQ(At(s, 50, 50), kBlack);
    EXPECT_EQ(At(s, 10, 50), kWhite);
    EXPECT_EQ(At(s, 90, 90), kWhite);

    s.SetBackColor(Rgb(0, 0, 64));
    EXPECT_EQ(s.BackColor(), Rgb(0, 0, 64));
    EXPECT_EQ(At(s, 10, 50), Rgb(0, 0, 64)) << "setting the background repaints everything";
    s.SetFillStyle(Fill::Transparent);
    s.Line(10, 10, 90, 90, std::nullopt, Box::B);
    EXPECT_EQ(At(s, 50, 50), Rgb(0, 0, 64));
    EXPECT_EQ(At(s, 10, 50), kWhite);

    // A filled box covers both corners in its own colour, whatever the fill.
    s.Line(20, 20, 30, 30, kGreen, Box::BF);
    EXPECT_EQ(At(s, 20, 20), kGreen);
    EXPECT_EQ(At(s, 30, 30), kGreen);
    EXPECT_EQ(At(s, 31, 30), Rgb(0, 0, 64));
}

TEST_F(ImageSurfaceTest, MergePenOrsEachChannelOfShapes) {
    struct Case {
        const char* name;
        std::function<void(ImageSurface&)> draw;
        int x, y;  // a pixel the shape paints
    };
    const std::vector<Case> cases = {
        {"line", [](ImageSurface& s) { s.Line(10, 10, 60, 10, kBlue); }, 30, 10},
        {"box", [](ImageSurface& s) { s.Line(10, 20, 60, 40, kBlue, Box::B); }, 10, 30},
        {"filled box", [](ImageSurface& s) { s.Line(10, 20, 60, 40, kBlue, Box::BF); }, 30, 30},
        {"circle", [](ImageSurface& s) { s.Circle(40, 40, 10, kBlue); }, 50, 40},
        {"small circle", [](ImageSurface& s) { s.Circle(40, 40, 2, kBlue); }, 42, 40},
        {"point", [](ImageSurface& s) { s.PSet(7, 8, kBlue); }, 7, 8},
        {"polygon",
         [](ImageSurface& s) {
             s.SetForeColor(kBlue);
             s.Polygon({{10, 10}, {60, 10}, {60, 60}});
         },
         35, 10},
    };
    for (const Case& c : cases) {
        for (const PenMode mode : {PenMode::Merge, PenMode::Copy}) {
            ImageSurface s(80, 80);
            s.SetScaleMode(Scale::Pixels);
            s.SetBackColor(kRed);
            s.SetFillStyle(Fill::Transparent);
            s.SetDrawMode(mode);
            c.draw(s);
            EXPECT_EQ(At(s, c.x, c.y), mode == PenMode::Merge ? kMagenta : kBlue)
                << c.name << (mode == PenMode::Merge ? " merge" : " copy");
        }
    }
}

TEST_F(ImageSurfaceTest, TextAndPicturesPaintNormallyUnderMergePen) {
    ImageSurface s(120, 60);
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kRed);
    s.SetForeColor(kBlue);
    s.SetDrawMode(PenMode::Merge);
    s.SetFont(FontSpec{"굴림", 20, true});
    s.SetCurrentX(5);
    s.SetCurrentY(5);
    s.Print("가A");
    int inked = 0, merged = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const Colour c = At(s, x, y);
            if (c == kMagenta) ++merged;
            if (c != kRed && BlueOf(c) > RedOf(c)) ++inked;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(merged, 0);

    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(0, 255, 0));
    s.PaintPicture(picture, 100, 40);
    EXPECT_EQ(At(s, 101, 41), kGreen);
    EXPECT_EQ(At(s, 104, 41), kRed);
}

// Counts, among fill-coloured pixels well inside the circle, how many have a
// fill-coloured neighbour up-right ("/") and down-right ("\").
struct HatchCount {
    int fill = 0, background = 0, slash = 0, backslash = 0;
};

HatchCount CountHatch(const ImageSurface& s, int cx, int cy, int inner, Colour fill, Colour back) {
    HatchCount n;
    auto inside = [&](int x, int y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) < inner * inner; };
    for (int y = cy - inner; y <= cy + inner; ++y) {
        for (int x = cx - inner; x <= cx + inner; ++x) {
            if (!inside(x, y)) continue;
            const Colour c = *s.Point(x, y);
            if (c == back) ++n.background;
            if (c != fill) continue;
            ++n.fill;
            if (inside(x + 1, y - 1) && *s.Point(x + 1, y - 1) == fill) ++n.slash;
            if (inside(x + 1, y + 1) && *s.Point(x + 1, y + 1) == fill) ++n.backslash;
        }
    }
    return n;
}

TEST_F(ImageSurfaceTest, DiagonalHatchesRunTheirWayWithTransparentGaps) {
    for (const Fill style : {Fill::UpwardDiagonal, Fill::DownwardDiagonal}) {
        ImageSurface s(100, 100);
        s.SetScaleMode(Scale::Pixels);
        s.SetBackColor(kBlack);
        s.SetForeColor(kWhite);
        s.SetFillColor(kGreen);
        s.SetFillStyle(style);
        s.Circle(50, 50, 20);
        const HatchCount n = CountHatch(s, 50, 50, 17, kGreen, kBlack);
        EXPECT_GT(n.fill, 20);
        EXPECT_GT(n.background, 20);
        if (style == Fill::UpwardDiagonal) {
            EXPECT_GT(n.slash, n.fill * 3 / 4);
            EXPECT_EQ(n.backslash, 0);
        } else {
            EXPECT_GT(n.backslash, n.fill * 3 / 4);
            EXPECT_EQ(n.slash, 0);
        }
    }
}

TEST_F(ImageSurfaceTest, DottedLineLeavesGaps) {
    ImageSurface s(60, 20);
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kBlack);
    s.SetDrawStyle(LineStyle::Dot);
    s.Line(10, 10, 49, 10, kWhite);
    int unchanged = 0, drawn = 0;
    for (int x = 10; x <= 49; ++x) (At(s, x, 10) == kBlack ? unchanged : drawn)++;
    EXPECT_GE(unchanged, 10);
    EXPECT_GE(drawn, 10);
}

TEST_F(ImageSurfaceTest, CirclesAreCentredOnTheirPixel) {
    for (int r = 1; r <= 5; ++r) {
        ImageSurface s(30, 30);
        s.SetScaleMode(Scale::Pixels);
        s.SetBackColor(kBlack);
        s.SetForeColor(kWhite);
        s.Circle(15, 15, r);
        SCOPED_TRACE("r = " + std::to_string(r));
        EXPECT_EQ(At(s, 15 + r, 15), kWhite);
        EXPECT_EQ(At(s, 15 - r, 15), kWhite);
        EXPECT_EQ(At(s, 15, 15 + r), kWhite);
        EXPECT_EQ(At(s, 15, 15 - r), kWhite);
        EXPECT_EQ(At(s, 15 + r + 1, 15), kBlack);
        EXPECT_EQ(At(s, 15 - r - 1, 15), kBlack);
        EXPECT_EQ(At(s, 15, 15 + r + 1), kBlack);
        EXPECT_EQ(At(s, 15, 15 - r - 1), kBlack);
    }
    // Aspect below 1 flattens the circle: vertical radius r * aspect.
    ImageSurface s(40, 40);
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kBlack);
    s.SetForeColor(kWhite);
    s.Circle(20, 20, 10, std::nullopt, 0.5);
    EXPECT_EQ(At(s, 30, 20), kWhite);
    EXPECT_EQ(At(s, 20, 15), kWhite);
    EXPECT_EQ(At(s, 20, 13), kBlack);
}

// Every pixel of a 20 x 20 surface with a background that differs per pixel,
// so a merge or a missed pixel shows.
void PaintVariedBackground(ImageSurface& s) {
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) s.PSet(x, y, Rgb(x * 12, y * 12, (x + y) * 6));
}

TEST_F(ImageSurfaceTest, FastSmallCirclesGiveThePixelsOfTheGeneralPath) {
    const std::vector<std::pair<int, int>> centres = {{10, 10}, {0, 0}, {19, 19}, {-2, 7}, {7, 21}, {1, 18}};
    for (int r = 1; r <= 3; ++r) {
        for (const Fill fill : {Fill::Solid, Fill::Transparent}) {
            for (const PenMode mode : {PenMode::Copy, PenMode::Merge}) {
                for (const auto& [cx, cy] : centres) {
                    ImageSurface fast(20, 20), general(20, 20);
                    general.SetFastCircles(false);
                    for (ImageSurface* s : {&fast, &general}) {
                        s->SetScaleMode(Scale::Pixels);
                        PaintVariedBackground(*s);
                        s->SetFillStyle(fill);
                        s->SetFillColor(Rgb(0, 90, 200));
                        s->SetDrawMode(mode);
                        s->Circle(cx, cy, r, Rgb(130, 20, 5));
                    }
                    int differing = 0;
                    for (int y = 0; y < 20; ++y)
                        for (int x = 0; x < 20; ++x) differing += At(fast, x, y) != At(general, x, y);
                    EXPECT_EQ(differing, 0) << "r " << r << " fill " << static_cast<int>(fill) << " mode "
                                            << static_cast<int>(mode) << " at " << cx << "," << cy;
                }
            }
        }
    }
}

// Every whole radius of the fast path, centred inside, on every edge and
// corner and partly off a 48 x 48 surface, in both fill styles and pen modes,
// after shapes in other styles (the painter's kept pen and brush must not
// leak into the next shape).
TEST_F(ImageSurfaceTest, FastCirclesUpToRadius16GiveThePixelsOfTheGeneralPath) {
    constexpr int kSize = 48;
    const std::vector<std::pair<double, double>> centres = {{24, 24},   {0, 0},   {47, 47}, {-5, 20}, {20, 52},
                                                            {23.4, 9.6}, {47, 3}, {2, 45},  {24.5, 24.5}};
    for (int r = 1; r <= 16; ++r) {
        for (const Fill fill : {Fill::Solid, Fill::Transparent}) {
            for (const PenMode mode : {PenMode::Copy, PenMode::Merge}) {
                ImageSurface fast(kSize, kSize), general(kSize, kSize);
                general.SetFastCircles(false);
                for (ImageSurface* s : {&fast, &general}) {
                    s->SetScaleMode(Scale::Pixels);
                    for (int y = 0; y < kSize; ++y)
                        for (int x = 0; x < kSize; ++x) s->PSet(x, y, Rgb(x * 5, y * 5, (x + y) * 2));
                    for (const auto& [cx, cy] : centres) {
                        s->SetFillStyle(Fill::Cross);
                        s->SetDrawWidth(2);
                        s->Line(cx, 0, 0, cy, Rgb(9, 9, 9), Box::B);
                        s->SetDrawWidth(1);
                        s->SetFillStyle(fill);
                        s->SetFillColor(Rgb(0, 90, 200));
                        s->SetDrawMode(mode);
                        s->Circle(cx, cy, r, Rgb(130, 20, 5));
                        s->SetDrawMode(PenMode::Copy);
                    }
                }
                int differing = 0;
                for (int y = 0; y < kSize; ++y)
                    for (int x = 0; x < kSize; ++x) differing += At(fast, x, y) != At(general, x, y);
                EXPECT_EQ(differing, 0) << "r " << r << " fill " << static_cast<int>(fill) << " mode "
                                        << static_cast<int>(mode);
            }
        }
    }
}

// An ink rule that turns every colour black; filled boxes and fills keep theirs.
Colour AllBlack(Colour) { return kBlack; }

TEST_F(ImageSurfaceTest, AnInkRuleColoursTextLinesOutlinesAndPointsButNotPaint) {
    ImageSurface s(100, 100);
    s.SetScaleMode(Scale::Pixels);
    s.SetForeColor(kRed);
    EXPECT_EQ(s.GetInkRule(), nullptr);
    s.SetInkRule(AllBlack);
    EXPECT_EQ(s.ForeColor(), kBlack) << "the colour set already";
    s.SetForeColor(kGreen);
    EXPECT_EQ(s.ForeColor(), kBlack);
    s.SetFillColor(kBlue);
    s.SetFillStyle(Fill::Solid);
    s.Line(5, 5, 95, 5, kRed);
    s.Circle(30, 50, 10, kGreen);
    s.PSet(80, 80, kMagenta);
    s.Line(60, 40, 70, 50, kRed, Box::B);
    s.Line(60, 60, 70, 70, kGreen, Box::BF);
    EXPECT_EQ(At(s, 50, 5), kBlack);
    EXPECT_EQ(At(s, 20, 50), kBlack);
    EXPECT_EQ(At(s, 30, 50), kBlue) << "the fill keeps its colour";
    EXPECT_EQ(At(s, 80, 80), kBlack);
    EXPECT_EQ(At(s, 60, 45), kBlack);
    EXPECT_EQ(At(s, 65, 65), kGreen) << "a filled box is paint";
    s.SetInkRule(nullptr);
    s.SetForeColor(kRed);
    s.Line(5, 95, 95, 95);
    EXPECT_EQ(At(s, 50, 95), kRed);
}

TEST_F(ImageSurfaceTest, CopyOfThePixelsIsNotChangedByLaterDrawing) {
    ImageSurface s(20, 20);
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kBlack);
    const QImage copy = s.Image();
    s.Circle(10, 10, 2, kWhite);  // fast path
    s.Line(0, 0, 19, 19, kWhite);
    s.PSet(3, 15, kWhite);
    EXPECT_EQ(copy.pixel(12, 10), qRgb(0, 0, 0));
    EXPECT_EQ(copy.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(copy.pixel(3, 15), qRgb(0, 0, 0));
    EXPECT_EQ(At(s, 12, 10), kWhite);
    EXPECT_EQ(s.Image().pixel(5, 5), qRgb(255, 255, 255));
}

TEST_F(ImageSurfaceTest, ResizeKeepsWhatWasDrawn) {
    ImageSurface s(20, 20);
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kBlue);
    s.PSet(5, 5, kWhite);
    s.Resize(40, 30);
    EXPECT_EQ(s.ScaleWidth(), 40);
    EXPECT_EQ(s.ScaleHeight(), 30);
    EXPECT_EQ(At(s, 5, 5), kWhite);
    EXPECT_EQ(At(s, 35, 25), kBlue);
}

TEST_F(ImageSurfaceTest, NonFiniteCoordinatesDrawNothing) {
    ImageSurface s(20, 20);
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kBlack);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    s.Line(nan, 0, 10, 10, kWhite);
    s.Circle(5, inf, 3, kWhite);
    s.Circle(5, 5, nan, kWhite);
    s.PSet(nan, nan, kWhite);
    s.Polygon({{0, 0}, {inf, 5}, {5, 10}});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(At(s, x, y), kBlack) << x << "," << y;
}

TEST_F(ImageSurfaceTest, KoreanAndLatinFontNamesMapToInstalledFamilies) {
    ImageSurface s(10, 10);
    s.TextHeight("0");  // installs the substitutes
    EXPECT_EQ(QFontInfo(QFont("굴림")).family(), "NanumGothic");
    EXPECT_EQ(QFontInfo(QFont("Tahoma")).family(), "DejaVu Sans");

    s.SetScaleMode(Scale::Pixels);
    s.SetFont(FontSpec{"굴림", 9});
    const double small_w = s.TextWidth("가나다"), small_h = s.TextHeight("가");
    s.SetFontSize(18);
    EXPECT_GT(s.TextWidth("가나다"), 1.8 * small_w);
    EXPECT_GT(s.TextHeight("가"), 1.8 * small_h);
    // 9 points at 96 dpi are 12 pixels; the line is a little taller.
    EXPECT_GE(small_h, 12);
    EXPECT_LE(small_h, 18);
    EXPECT_EQ(s.TextHeight("a\r\nb"), 2 * s.TextHeight("a"));
}

// ---- State shared by every surface -----------------------------------------

class SurfaceKinds : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        EnsureQtApp();
        if (GetParam())
            surface_ = std::make_unique<ImageSurface>(200, 100);
        else
            surface_ = std::make_unique<RecordingSurface>(200, 100);
    }
    std::unique_ptr<Surface> surface_;
};

TEST_P(SurfaceKinds, DrawingCallsMoveTheCurrentPosition) {
    Surface& s = *surface_;
    s.SetScaleMode(Scale::Pixels);
    struct Case {
        const char* name;
        std::function<void(Surface&)> call;
        double x, y;
    };
    const double a_height = s.TextHeight("A");
    const std::vector<Case> cases = {
        {"Circle", [](Surface& t) { t.Circle(40, 30, 5); }, 40, 30},
        {"Line", [](Surface& t) { t.Line(1, 2, 30, 40); }, 30, 40},
        {"box", [](Surface& t) { t.Line(1, 2, 30, 40, std::nullopt, Box::BF); }, 30, 40},
        {"PSet", [](Surface& t) { t.PSet(7, 8); }, 7, 8},
        {"Print",
         [](Surface& t) {
             t.SetCurrentX(5);
             t.SetCurrentY(5);
             t.Print("A");
         },
         0, 5 + a_height},
        {"Cls",
         [](Surface& t) {
             t.PSet(7, 8);
             t.Cls();
         },
         0, 0},
    };
    for (const Case& c : cases) {
        c.call(s);
        EXPECT_EQ(s.CurrentX(), c.x) << c.name;
        EXPECT_EQ(s.CurrentY(), c.y) << c.name;
    }
}

TEST_P(SurfaceKinds, TwipsConvertOnlyTheReadOuts) {
    Surface& s = *surface_;
    EXPECT_EQ(s.ScaleMode(), Scale::Twips) << "a new surface starts in twips";
    EXPECT_EQ(s.ScaleWidth(), 3000);
    EXPECT_EQ(s.ScaleHeight(), 1500);
    s.Line(1, 2, 30, 40);  // pixels, whatever the scale mode
    EXPECT_EQ(s.CurrentX(), 450);
    EXPECT_EQ(s.CurrentY(), 600);
    const double twips_width = s.TextWidth("zu");
    s.SetCurrentX(150);
    s.SetScaleMode(Scale::Pixels);
    EXPECT_EQ(s.CurrentX(), 10);
    EXPECT_EQ(s.ScaleWidth(), 200);
    EXPECT_EQ(s.TextWidth("zu") * kTwipsPerPixel, twips_width);
}

INSTANTIATE_TEST_SUITE_P(ImageAndRecording, SurfaceKinds, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? std::string("Image") : std::string("Recording"); });

// ---- The recording surface ---------------------------------------------------

// A small drawing routine of the kind the chart layers are: a framed field,
// a star, a label centred under it and a marker point.
void DrawSample(Surface& s) {
    s.SetScaleMode(Scale::Pixels);
    s.SetBackColor(kBlack);
    s.SetForeColor(kWhite);
    s.SetFillColor(kBlack);
    s.SetFillStyle(Fill::Solid);
    s.Line(10, 10, 90, 90, std::nullopt, Box::B);
    s.SetFillColor(Rgb(255, 255, 0));
    s.Circle(50, 40, 3, Rgb(255, 255, 0));
    s.SetFont(FontSpec{"Tahoma", 9});
    s.SetCurrentX(50 - std::round(s.TextWidth("Vega") / 2));
    s.SetCurrentY(50);
    s.Print("Vega");
    s.SetDrawMode(PenMode::Merge);
    s.PSet(20, 80, kRed);
    s.SetDrawMode(PenMode::Copy);
    s.SetScaleMode(Scale::Twips);
}

TEST(RecordingSurface, LogsEveryCallWithItsArguments) {
    RecordingSurface s(100, 100);
    DrawSample(s);
    const std::vector<std::string> expected = {
        "ScaleMode=3",
        "BackColor=RGB(0,0,0)",
        "ForeColor=RGB(255,255,255)",
        "FillColor=RGB(0,0,0)",
        "FillStyle=0",
        "Line(10,10)-(90,90),B",
        "FillColor=RGB(255,255,0)",
        "Circle(50,40),3,RGB(255,255,0)",
        "Font=Tahoma,9",
        "CurrentX=36",  // 4 characters of 7 units
        "CurrentY=50",
        "Print \"Vega\"",
        "DrawMode=15",
        "PSet(20,80),RGB(255,0,0)",
        "DrawMode=13",
        "ScaleMode=1",
    };
    EXPECT_EQ(s.Calls(), expected);
    EXPECT_EQ(s.CurrentX(), 20 * kTwipsPerPixel);
    EXPECT_EQ(s.CurrentY(), 80 * kTwipsPerPixel);
}

TEST(RecordingSurface, MetricsCountCharactersNotBytes) {
    RecordingSurface s(100, 100);
    s.SetScaleMode(Scale::Pixels);
    EXPECT_EQ(s.TextWidth("고령"), 14);
    EXPECT_EQ(s.TextWidth("ab\r\nlonger"), 42);
    EXPECT_EQ(s.TextHeight("ab\r\nlonger"), 24);
    s.Print("one\r\ntwo");
    EXPECT_EQ(s.CurrentY(), 24);
}

TEST_F(ImageSurfaceTest, TheSampleRoutineDrawsOnTheImageSurface) {
    ImageSurface s(100, 100);
    DrawSample(s);
    EXPECT_EQ(s.ScaleMode(), Scale::Twips);
    EXPECT_EQ(At(s, 10, 50), kWhite);               // frame
    EXPECT_EQ(At(s, 50, 40), Rgb(255, 255, 0));     // star
    EXPECT_EQ(At(s, 30, 30), kBlack);               // interior
    EXPECT_EQ(At(s, 20, 80), kRed);                 // merged onto black
    int label = 0;
    for (int y = 50; y < 65; ++y)
        for (int x = 30; x < 70; ++x) label += At(s, x, y) != kBlack;
    EXPECT_GT(label, 10);
}

}  // namespace
}  // namespace platform
