// The go-to-coordinate window: the boxes filled from the view centre, the
// reference points, the typed coordinate in its frames and the 365.25-degree
// circle, and centring through the host.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <memory>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "astro/JulianDay.h"
#include "astro/Planets.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/GoToWindow.h"

namespace zu {
namespace {

class GoToWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        skydata::SettingsSnapshot& s = skydata::CurrentSettings();
        s.CurrentJD = astro::DateToJD(2024, 3, 15, 21, 0, 0);
        s.ViewCoordSys.assign(1, 'e');
        s.ViewCenterX = 83.63;
        s.ViewCenterY = -12.5;
        owner = std::make_unique<QWidget>();
        host.center_answer = true;
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmFindC& Open() { return static_cast<FrmFindC&>(ShowToolWindow(ToolWindowId::FrmFindC, owner.get())); }
    static std::string Text(const QLineEdit* box) { return box->text().toUtf8().toStdString(); }
    static void Type(FrmFindC& w, const char* lon[3], const char* lat[3]) {
        w.Option1[1]->click();
        for (int i = 0; i < 3; ++i) {
            w.TxtNLon[static_cast<std::size_t>(i)]->setText(QString::fromUtf8(lon[i]));
            w.TxtNLat[static_cast<std::size_t>(i)]->setText(QString::fromUtf8(lat[i]));
        }
    }

    test::ProgramEnv p;
    RecordingChartHost host;
    std::unique_ptr<QWidget> owner;
};

TEST_F(GoToWindowTest, OpensWithTheViewCentreAndTheReferencePointsUsable) {
    FrmFindC& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), "좌표로 찾아가기");
    // 83.63 degrees is 5 h 34 m 31.2 s.
    EXPECT_EQ(Text(w.TxtNLon[0]), " 5");
    EXPECT_EQ(Text(w.TxtNLon[1]), " 34");
    EXPECT_EQ(Text(w.TxtNLon[2]), "31.20");
    // A negative latitude keeps its sign on the number.
    EXPECT_EQ(Text(w.TxtNLat[0]), "-12");
    EXPECT_EQ(Text(w.TxtNLat[1]), " 30");
    EXPECT_EQ(Text(w.TxtNLat[2]), "0.00");
    EXPECT_EQ(w.Combo1->currentText().toStdString(), "적도 좌표계");
    EXPECT_EQ(w.Combo2->currentText().toStdString(), "은하 북극");
    EXPECT_EQ(w.Combo2->count(), 10);
    EXPECT_TRUE(w.Option1[0]->isChecked());
    EXPECT_TRUE(w.Combo2->isEnabled());
    EXPECT_FALSE(w.Combo1->isEnabled());
    EXPECT_FALSE(w.TxtNLat[2]->isEnabled());
    EXPECT_TRUE(w.Option2[0]->isChecked());
    EXPECT_TRUE(w.ChkCloseWin->isChecked());

    // Unchanged boxes go back to the view centre's declination.
    w.Option1[1]->click();
    EXPECT_FALSE(w.Combo2->isEnabled());
    EXPECT_TRUE(w.TxtNLat[0]->isEnabled());
    w.Command1[0]->click();
    ASSERT_EQ(host.centred.size(), 1u);
    EXPECT_NEAR(host.centred[0].dec_deg, -12.5, 1e-9);
    EXPECT_NEAR(host.centred[0].ra_deg, 83.63, 1e-3);
    EXPECT_EQ(host.calls[0], "UnlockTrack");
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFindC), nullptr);
}

TEST_F(GoToWindowTest, HorizontalViewPicksTheHorizontalFrame) {
    skydata::CurrentSettings().ViewCoordSys = "A";
    skydata::CurrentSettings().ViewCenterY = 12.25;
    FrmFindC& w = Open();
    EXPECT_EQ(w.Combo1->currentText().toStdString(), "지평 좌표계");
    EXPECT_EQ(Text(w.TxtNLat[0]), " 12");
    EXPECT_EQ(Text(w.TxtNLat[1]), " 15");
}

TEST_F(GoToWindowTest, ReferencePoints) {
    struct Row {
        int index;
        double ra, dec;
    };
    skydata::CurrentSettings().calcprecession = false;
    const Row rows[] = {{4, 0, 90},
                        {0, 192.85948, 27.12825},
                        {1, 12.85948, -27.12825},
                        {7, 90, 23.4392911},
                        {9, 270, -23.4392911},
                        {2, 270, 90 - 23.4392911}};
    for (const Row& row : rows) {
        FrmFindC& w = Open();
        w.Combo2->setCurrentIndex(row.index);
        w.Command1[0]->click();
        ASSERT_FALSE(host.centred.empty());
        EXPECT_NEAR(host.centred.back().ra_deg, row.ra, 1e-6) << row.index;
        EXPECT_NEAR(host.centred.back().dec_deg, row.dec, 1e-6) << row.index;
    }
    // With precession the poles of the galaxy move with the equinox.
    skydata::CurrentSettings().calcprecession = true;
    FrmFindC& w = Open();
    w.Command1[0]->click();
    EXPECT_GT(std::fabs(host.centred.back().ra_deg - 192.85948), 0.1);
}

TEST_F(GoToWindowTest, TypedCoordinates) {
    struct Row {
        int frame;
        const char* lon[3];
        const char* lat[3];
        double ra, dec;
    };
    const Row rows[] = {
        {1, {"6", "5", "15"}, {"0", "0", "0"}, 91.3125, 0},
        {1, {"0", "0", "0"}, {"-0", "30", "0"}, 0, -0.5},
        {1, {"-1", "30", "0"}, {"10", "abc", ""}, 352.5, 10},
        {1, {"25", "0", "0"}, {"0", "0", "0"}, 15, 0},
    };
    for (const Row& row : rows) {
        FrmFindC& w = Open();
        w.Combo1->setCurrentIndex(row.frame);
        Type(w, const_cast<const char**>(row.lon), const_cast<const char**>(row.lat));
        w.Command1[0]->click();
        ASSERT_FALSE(host.centred.empty());
        EXPECT_NEAR(host.centred.back().ra_deg, row.ra, 1e-9) << row.lon[0];
        EXPECT_NEAR(host.centred.back().dec_deg, row.dec, 1e-9) << row.lat[0];
    }
    // The ecliptic and galactic frames go through their conversions.
    skydata::CurrentSettings().calcprecession = false;
    const char* lon[3] = {"6", "0", "0"};
    const char* lat[3] = {"0", "0", "0"};
    FrmFindC& ecliptic = Open();
    ecliptic.Combo1->setCurrentIndex(2);
    Type(ecliptic, lon, lat);
    ecliptic.Command1[0]->click();
    double ra = 0, dec = 0;
    astro::EclipticToEquatorialOfDate(90, 0, ra, dec);
    EXPECT_NEAR(host.centred.back().ra_deg, astro::Norm360(ra), 1e-9);
    EXPECT_NEAR(host.centred.back().dec_deg, dec, 1e-9);
    FrmFindC& galactic = Open();
    galactic.Combo1->setCurrentIndex(3);
    Type(galactic, lon, lat);
    galactic.Command1[0]->click();
    astro::GalacticToEquatorial(90, 0, ra, dec);
    EXPECT_NEAR(host.centred.back().ra_deg, astro::Norm360(ra), 1e-9);
    EXPECT_NEAR(host.centred.back().dec_deg, dec, 1e-9);
}

TEST_F(GoToWindowTest, TraditionalCircleScalesOnlyTheTypedCoordinate) {
    FrmFindC& typed = Open();
    typed.Option2[1]->click();
    typed.Combo1->setCurrentIndex(1);
    const char* lon[3] = {"6", "5", "15"};
    const char* lat[3] = {"0", "0", "0"};
    Type(typed, lon, lat);
    typed.Command1[0]->click();
    EXPECT_NEAR(host.centred.back().ra_deg, 90, 1e-9);
    EXPECT_NEAR(host.centred.back().dec_deg, 0, 1e-9);

    FrmFindC& pole = Open();
    pole.Option2[1]->click();
    pole.Combo2->setCurrentIndex(4);
    pole.Command1[0]->click();
    EXPECT_NEAR(host.centred.back().dec_deg, 90, 1e-12);
}

TEST_F(GoToWindowTest, ClosesAfterFindEvenWhenDeclinedAndStaysWhenNotTicked) {
    host.center_answer = false;
    FrmFindC& w = Open();
    w.Command1[0]->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFindC), nullptr);
    FrmFindC& kept = Open();
    kept.ChkCloseWin->setChecked(false);
    kept.Command1[0]->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFindC), &kept);
    kept.Command1[1]->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFindC), nullptr);
    EXPECT_EQ(host.centred.size(), 2u);
}

TEST_F(GoToWindowTest, EnterFindsAndEscapeCloses) {
    const auto press = [](QWidget& w, int key) {
        for (QShortcut* shortcut : w.findChildren<QShortcut*>()) {
            if (shortcut->key() == QKeySequence(key)) QMetaObject::invokeMethod(shortcut, "activated");
        }
    };
    FrmFindC& w = Open();
    w.ChkCloseWin->setChecked(false);
    press(w, Qt::Key_Enter);
    press(w, Qt::Key_Return);
    EXPECT_EQ(host.centred.size(), 2u);
    press(w, Qt::Key_Escape);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFindC), nullptr);
    EXPECT_EQ(host.centred.size(), 2u);
}

TEST_F(GoToWindowTest, CoordinateBoxesSelectTheirTextOnFocus) {
    FrmFindC& w = Open();
    w.Option1[1]->click();
    w.TxtNLat[1]->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.TxtNLat[1]->selectedText().toStdString(), " 30");
}

}  // namespace
}  // namespace zu
