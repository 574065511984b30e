// The object search window with the real data set: the category search, the
// number lookups, the free-text search and centring through the host.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "astro/AngleMath.h"
#include "astro/Coordinates.h"
#include "zu/core/ChartHost.h"
#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/FindWindow.h"
#include "zu/search/ObjectSearch.h"

namespace zu {
namespace {

class FindWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteSettingsFile(p.user.path() / "Default.cfg",
                                {{"synctime", "false"}, {"jd", " 2460390.375"}, {"ref_coord", "e"}});
        LoadProgramState(p.env.folders.program);
        owner = std::make_unique<QWidget>();
        window = &static_cast<FrmFind&>(ShowToolWindow(ToolWindowId::FrmFind, owner.get()));
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    static std::string Text(const QLabel* label) { return label->text().toUtf8().toStdString(); }
    static std::string Line(const QListWidget* list, int row) { return list->item(row)->text().toUtf8().toStdString(); }
    static bool Red(const QLabel* label) { return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0); }
    std::pair<double, double> Found() const {
        double ra = 0, dec = 0;
        astro::VectorToSpherical(window->FoundVector[0], window->FoundVector[1], window->FoundVector[2], ra, dec);
        return {ra, dec};
    }
    void Category(int index) {
        window->TabStrip1->setCurrentIndex(1);
        window->Combo6->setCurrentIndex(index);
        window->Combo6_Click();
    }
    // Row of the free-text list whose line is `line`; -1 when none.
    int FindLine(const std::string& line) const {
        for (int i = 0; i < window->ListFind->count(); ++i) {
            if (Line(window->ListFind, i) == line) return i;
        }
        return -1;
    }

    test::ProgramEnv p;
    std::unique_ptr<QWidget> owner;
    FrmFind* window = nullptr;
};

// The window opens on the free-text tab with nothing chosen: Enter does
// nothing. The category tab has the first constellation of the first
// district ready, and 찾기 centres on it.
TEST_F(FindWindowTest, OpensWithNothingChosenAndTheNorthPoleReadyBehindTheCategoryTab) {
    EXPECT_EQ(window->windowTitle().toStdString(), "찾기");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->TabStrip1->tabText(window->TabStrip1->currentIndex()).toStdString(), "통합 검색");
    EXPECT_TRUE(window->Combo6->isHidden());
    EXPECT_FALSE(window->Combo6->isEnabled());
    EXPECT_FALSE(window->Frame2->isHidden());
    EXPECT_TRUE(window->Frame1->isHidden());
    EXPECT_EQ(window->Combo6->geometry(), QRect(8, 16, 257, window->Combo6->height()));
    EXPECT_EQ(window->Combo6->view()->window()->maximumHeight(), 300);
    EXPECT_EQ(window->Combo6->count(), 14);
    EXPECT_EQ(window->Combo6->itemText(12).toStdString(), "사용자 목록 1: 지정된 목록 없음");
    EXPECT_EQ(window->DistrictCode, "P1");
    EXPECT_EQ(window->List1->count(), 31);
    EXPECT_EQ(Line(window->List1, 0), "자미원(紫微垣)");
    EXPECT_EQ(Line(window->List1, 3), "각수(角宿)");
    EXPECT_TRUE(window->ChkCloseWin->isChecked());
    RecordingChartHost host;
    {
        SCOPED_TRACE("opened, nothing typed");
        EXPECT_FALSE(window->CmdFind->isEnabled());
        for (const QLabel* shown : {window->Label2, window->LCRA, window->LCDec, window->Label3}) {
            EXPECT_EQ(Text(shown), "") << shown->objectName().toStdString();
        }
        for (const int key : {Qt::Key_Return, Qt::Key_Enter}) test::PressKey(*window->txtObjName, key);
        EXPECT_TRUE(host.calls.empty()) << "Enter with nothing chosen centres nowhere";
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFind), window);
    }
    window->TabStrip1->setCurrentIndex(1);
    EXPECT_EQ(Text(window->Label2), "북극(北極)");
    ASSERT_TRUE(window->CmdFind->isEnabled());

    // The label of E row 0 precessed to the chart time.
    const auto& label = skydata::Constellations().E.Labels[0];
    EXPECT_EQ(label.Code.substr(0, 4), "P101");
    double ra = 0, dec = 0;
    PrecessVector(2451545.0, skydata::CurrentSettings().CurrentJD, label.x, label.y, label.z, ra, dec);
    host.center_answer = false;
    window->CmdFind->click();
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0], "UnlockTrack");
    ASSERT_EQ(host.centred.size(), 1u);
    EXPECT_NEAR(host.centred[0].ra_deg, ra, 1e-6);
    EXPECT_NEAR(host.centred[0].dec_deg, dec, 1e-6);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFind), window) << "declined: the window stays";
    window->ChkCloseWin->setChecked(false);
    host.center_answer = true;
    window->CmdFind->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFind), window) << "not ticked: the window stays";
    window->ChkCloseWin->setChecked(true);
    window->CmdFind->click();
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFind), nullptr);
}

TEST_F(FindWindowTest, BrightStarsByHRNumber) {
    Category(9);
    EXPECT_FALSE(window->TxtHR->isHidden());
    EXPECT_TRUE(window->List3->isHidden());
    window->TxtHR->setText("7001");
    EXPECT_EQ(Text(window->Label2), "HR  7001(.03등급)");
    EXPECT_TRUE(window->CmdFind->isEnabled());
    // Vega's geometric altitude decides the colour of the visibility line.
    const auto [ra, dec] = Found();
    double az = 0, alt = 0;
    astro::EquatorialToHorizontal(ra, dec, AppState().LocalSiderealTime, skydata::CurrentSettings().lat, az, alt);
    EXPECT_EQ(Text(window->Label3), alt >= 0 ? "이 천체는 지금 볼 수 있습니다." : "이 천체는 아직 뜨지 않았습니다.");
    EXPECT_EQ(Red(window->Label3), alt < 0);
    EXPECT_EQ(Text(window->Label1_2), "적경:");

    for (const char* bad : {"0", "abc"}) {
        window->TxtHR->setText(bad);
        EXPECT_EQ(Text(window->Label2), "HR  0") << bad;
        EXPECT_EQ(Text(window->Label3), "잘못된 HR 번호입니다.");
        EXPECT_TRUE(Red(window->Label3));
        EXPECT_EQ(Text(window->LCRA), "--");
        EXPECT_FALSE(window->CmdFind->isEnabled());
    }
    // A failed lookup leaves the vector of the last star.
    EXPECT_EQ(Found(), std::make_pair(ra, dec));

    // Back on the free-text tab the category list is put away again.
    EXPECT_FALSE(window->Combo6->isHidden());
    window->TabStrip1->setCurrentIndex(0);
    EXPECT_TRUE(window->Combo6->isHidden());
    EXPECT_FALSE(window->Combo6->isEnabled());
    EXPECT_TRUE(window->Frame1->isHidden());
    EXPECT_FALSE(window->Frame2->isHidden());
}

TEST_F(FindWindowTest, ExtendedCatalogueByNumberField) {
    Category(10);
    EXPECT_FALSE(window->picS2k->isHidden());
    window->Option1[1]->click();
    window->Text1->setText("172167");
    EXPECT_EQ(Text(window->Label2), "HD 172167(0등급)");
    EXPECT_TRUE(window->CmdFind->isEnabled());
    // Two records carry HD 192907: the later one in zone order wins.
    window->Text1->setText("192907");
    EXPECT_EQ(Text(window->Label2), "HD 192907(8.3등급)");
    window->Option1[0]->click();
    window->Text1->setText("h99255b");
    EXPECT_EQ(Text(window->Label2).rfind("H99255B(", 0), 0u) << Text(window->Label2);
    for (const char* bad : {"0", ""}) {
        window->Text1->setText(bad);
        EXPECT_EQ(Text(window->Label2), "--") << bad;
        EXPECT_EQ(Text(window->Label3), "잘못된 번호입니다.");
        EXPECT_FALSE(window->CmdFind->isEnabled());
    }
    window->Option1[2]->click();
    window->Text1->setText("-5");
    EXPECT_EQ(Text(window->Label3), "잘못된 번호입니다.");
}

TEST_F(FindWindowTest, WesternConstellationsByNameAndAbbreviationShowOneLabelRow) {
    const auto& labels = skydata::Constellations().W.Labels;
    Category(2);
    ASSERT_EQ(window->List3->findItems("오리온자리(Orion)", Qt::MatchExactly).size(), 1);
    window->List3->setCurrentItem(window->List3->findItems("오리온자리(Orion)", Qt::MatchExactly)[0]);
    const std::string by_name = Text(window->Label2);
    const auto place = Found();
    Category(3);
    window->List3->setCurrentItem(window->List3->findItems("Ori", Qt::MatchExactly)[0]);
    EXPECT_EQ(Text(window->Label2), by_name);
    EXPECT_EQ(Found(), place);
    // Serpens has two label rows; its first is shown.
    window->List3->setCurrentItem(window->List3->findItems("Ser", Qt::MatchExactly)[0]);
    EXPECT_EQ(labels[75].Code.substr(0, 4), "ASer");
    EXPECT_EQ(labels[76].Code.substr(0, 4), "ASer");
    EXPECT_EQ(Text(window->Label2), labels[75].Text);
}

TEST_F(FindWindowTest, PrecessionOffShowsStarsAtJ2000AndPlanetsOfDate) {
    skydata::CurrentSettings().calcprecession = false;
    window->FindHRStar("7001");
    const auto star = Found();
    const auto hit = LocateHRStar(skydata::Catalogs(), 7001);
    ASSERT_TRUE(hit);
    const auto& vega = skydata::Catalogs().BscStar[static_cast<std::size_t>(hit->zone)][static_cast<std::size_t>(hit->index)];
    double ra = 0, dec = 0;
    astro::VectorToSpherical(vega.x, vega.y, vega.z, ra, dec);
    EXPECT_NEAR(star.first, ra, 1e-9);
    EXPECT_NEAR(star.second, dec, 1e-9);
    astro::Planets().PlanetTable[4].TopoRA = 123.25;
    astro::Planets().PlanetTable[4].TopoDec = 20.5;
    Category(4);
    window->List3->setCurrentRow(4);
    EXPECT_NEAR(Found().first, 123.25, 1e-9);
    EXPECT_NEAR(Found().second, 20.5, 1e-9);
    EXPECT_EQ(Text(window->Label2), astro::Planets().PlanetTable[4].Name);
}

TEST_F(FindWindowTest, FreeTextSearchListsTaggedLinesWithKeys) {
    window->txtObjName->setText("ori");
    const int orion = FindLine("[서양별자리]오리온자리 Orion Ori");
    ASSERT_GE(orion, 0);
    EXPECT_EQ(window->ResultKeys[static_cast<std::size_t>(orion)], "wcon=59");
    ASSERT_EQ(window->ResultKeys.size(), static_cast<std::size_t>(window->ListFind->count()));

    window->txtObjName->setText("7001");
    const int vega = FindLine("[별]HR 7001");
    ASSERT_GE(vega, 0);
    EXPECT_EQ(window->ResultKeys[static_cast<std::size_t>(vega)], "star= 7001");
    window->ListFind->setCurrentRow(vega);
    EXPECT_EQ(Text(window->Label2), "HR  7001(.03등급)");

    window->txtObjName->setText("sextans");
    const int sextans = FindLine("[서양별자리]육분의자리 Sextans Sex");
    ASSERT_GE(sextans, 0) << Line(window->ListFind, 0);
    EXPECT_EQ(window->ResultKeys[static_cast<std::size_t>(sextans)], "wcon=76");
    window->ListFind->setCurrentRow(sextans);
    const auto& label = skydata::Constellations().W.Labels[77];
    EXPECT_EQ(label.Code.substr(0, 4), "ASex");
    EXPECT_EQ(Text(window->Label2), label.Text);

    // A blank text keeps the list.
    const int lines = window->ListFind->count();
    window->txtObjName->setText("   ");
    EXPECT_EQ(window->ListFind->count(), lines);
}

// Designations as people type them, each with the line that lists the object
// and the name the panel then shows.
TEST_F(FindWindowTest, DesignationsTypedAsPeopleTypeThemFindTheirObject) {
    struct Case {
        const char* typed;
        const char* line_start;
        const char* shown;
    };
    const Case cases[] = {
        {"M31", "[DSO]M 31   NGC 224 ", "M 31"},      {"m31", "[DSO]M 31   NGC 224 ", "M 31"},
        {"M 31", "[DSO]M 31   NGC 224 ", "M 31"},     {"NGC224", "[DSO]M 31   NGC 224 ", "M 31"},
        {"ngc 224", "[DSO]M 31   NGC 224 ", "M 31"},  {"IC434", "[DSO]IC 434 ", "IC 434"},
        {"HR7001", "[별]HR 7001", "HR  7001(.03등급)"}, {"HD172167", "[별]HD 172167", "HD 172167(0등급)"},
    };
    for (const Case& c : cases) {
        window->txtObjName->setText(QString::fromUtf8(c.typed));
        int row = -1;
        for (int i = 0; i < window->ListFind->count() && row < 0; ++i) {
            if (Line(window->ListFind, i).rfind(c.line_start, 0) == 0) row = i;
        }
        ASSERT_GE(row, 0) << c.typed;
        EXPECT_FALSE(window->CmdFind->isEnabled()) << c.typed << ": 찾기 waits for a line";
        window->ListFind->setCurrentRow(row);
        EXPECT_EQ(Text(window->Label2), c.shown) << c.typed;
        EXPECT_TRUE(window->CmdFind->isEnabled()) << c.typed;
        window->ListFind->setCurrentRow(-1);
    }
    // The galaxy itself, not only a line that names it: near its J2000 place
    // (0h 42.7m, +41° 16'), precessed to 2024.
    window->txtObjName->setText("M31");
    for (int i = 0; i < window->ListFind->count(); ++i) {
        if (Line(window->ListFind, i).rfind("[DSO]M 31 ", 0) == 0) window->ListFind->setCurrentRow(i);
    }
    const auto [found_ra, found_dec] = Found();
    EXPECT_NEAR(found_ra, 10.68, 0.5);
    EXPECT_NEAR(found_dec, 41.27, 0.3);
}

TEST_F(FindWindowTest, NothingFoundLeavesFindDisabled) {
    RecordingChartHost host;
    window->txtObjName->setText("7001");
    window->ListFind->setCurrentRow(FindLine("[별]HR 7001"));
    ASSERT_TRUE(window->CmdFind->isEnabled());
    window->txtObjName->setText("qqzzx");
    EXPECT_EQ(window->ListFind->count(), 0);
    EXPECT_FALSE(window->CmdFind->isEnabled());
    EXPECT_EQ(Text(window->Label2), "") << "the panel no longer shows the star chosen before";
    window->CmdFind->click();
    EXPECT_TRUE(host.calls.empty()) << "no jump to the object shown before";
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmFind), window);
}

// "고른 천체" shows what the list of the tab in front has chosen, so Enter on
// the free-text tab never centres on a constellation of the category tab.
TEST_F(FindWindowTest, ThePanelShowsTheChoiceOfTheTabInFront) {
    Category(0);
    EXPECT_EQ(Text(window->Label2), "북극(北極)");
    window->TabStrip1->setCurrentIndex(0);
    EXPECT_EQ(Text(window->Label2), "");
    EXPECT_FALSE(window->CmdFind->isEnabled());
    window->txtObjName->setText("7001");
    window->ListFind->setCurrentRow(FindLine("[별]HR 7001"));
    window->TabStrip1->setCurrentIndex(1);
    EXPECT_EQ(Text(window->Label2), "북극(北極)");
    window->TabStrip1->setCurrentIndex(0);
    EXPECT_EQ(Text(window->Label2), "HR  7001(.03등급)");
    EXPECT_TRUE(window->CmdFind->isEnabled());
}

TEST_F(FindWindowTest, LongResultListsKeepAKeyForEveryLine) {
    window->txtObjName->setText("1");
    const int lines = window->ListFind->count();
    ASSERT_GT(lines, 1001);
    ASSERT_EQ(window->ResultKeys.size(), static_cast<std::size_t>(lines));
    const std::string last = window->ResultKeys.back();
    EXPECT_EQ(last.rfind("m=", 0), 0u);
    window->ListFind->setCurrentRow(lines - 1);
    const auto& dso = skydata::Catalogs().DeepSkyObject[std::stoul(last.substr(2))];
    EXPECT_EQ(Text(window->Label2), dso.ID1);
    EXPECT_TRUE(window->CmdFind->isEnabled());
}

TEST_F(FindWindowTest, KoreanDistrictsListTheirConstellationsByTableRow) {
    Category(0);
    EXPECT_FALSE(window->List1->isHidden());
    EXPECT_TRUE(window->List3->isHidden());
    window->List1->setCurrentRow(3);  // 각수
    EXPECT_EQ(window->DistrictCode, "E1");
    const auto& data = skydata::Constellations().E.Data;
    for (int i = 0; i < window->List2->count(); ++i) {
        const int row = window->List2->item(i)->data(Qt::UserRole).toInt();
        EXPECT_EQ(data[static_cast<std::size_t>(row)].Code.substr(0, 2), "E1");
    }
    // Each row shows its own constellation, also where two share a name.
    for (int i = 0; i < window->List2->count(); ++i) {
        window->List2->setCurrentRow(i);
        const int row = window->List2->item(i)->data(Qt::UserRole).toInt();
        const std::string code = data[static_cast<std::size_t>(row)].Code;
        EXPECT_EQ(Text(window->Label2), skydata::GetConstName(data, code, 0, true)) << code;
    }
    // The comets list holds only bodies with a place.
    Category(5);
    const auto& comets = astro::SmallBodies().CometPositions;
    for (int i = 0; i < window->List3->count(); ++i) {
        EXPECT_TRUE(comets[static_cast<std::size_t>(window->List3->item(i)->data(Qt::UserRole).toInt())].Valid);
    }
    Category(12);
    EXPECT_EQ(window->List3->count(), 0);
    EXPECT_FALSE(window->List3->isEnabled());
}

TEST_F(FindWindowTest, UserListEntriesInBothFrames) {
    const auto write = [&](const char* name, const char* coordinate, const char* objects) {
        const std::filesystem::path path = p.user.path() / name;
        std::ofstream(path, std::ios::binary) << "<Header>\r\nCatalog Name=" << name << "\r\nEpoch=2451545\r\nCoordinate="
                                              << coordinate << "\r\n</Header>\r\n<ObjectList>\r\n" << objects
                                              << "</ObjectList>\r\n";
        return path.string();
    };
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.usercatfile0 = write("ground", "a", "cl,180,-10,60,1,south,\r\nln,1,2,3,4,2\r\nstr,90,45,east/high,0\r\n");
    s.usercatfile0is = true;
    s.usercatfile1 = write("sky", "e", "star,83.8,-5.4,2.1,36,-72,B0,fast,\r\n");
    s.usercatfile1is = true;
    skydata::CheckUserCatalogs();
    ResetToolWindows();
    window = &static_cast<FrmFind&>(ShowToolWindow(ToolWindowId::FrmFind, owner.get()));
    EXPECT_EQ(window->Combo6->itemText(12).toStdString(), "사용자 목록 1: ground");

    // A horizontal entry shows azimuth and altitude and is centred by its
    // place of date now.
    Category(12);
    ASSERT_EQ(window->List3->count(), 2);
    EXPECT_EQ(Line(window->List3, 0), "(UC1_S1:0000)south");
    EXPECT_EQ(Line(window->List3, 1), "(UC1_Ch:0000)east/high");
    window->TxtHR->setText("0");  // a failed lookup disables 찾기
    window->List3->setCurrentRow(1);
    window->List3->setCurrentRow(0);
    EXPECT_EQ(Text(window->Label2), "south");
    EXPECT_EQ(Text(window->Label1_2), "방위각:");
    EXPECT_EQ(Text(window->Label1_3), "고도:");
    EXPECT_EQ(Text(window->LCRA), "180도 0분 0초");
    EXPECT_EQ(Text(window->LCDec), "-10도 0분 0초");
    EXPECT_EQ(Text(window->Label3), "이 천체는 아직 뜨지 않았습니다.");
    EXPECT_TRUE(window->CmdFind->isEnabled());
    double ra = 0, dec = 0;
    astro::HorizontalToEquatorial(180, -10, AppState().LocalSiderealTime, s.lat, ra, dec);
    EXPECT_NEAR(Found().first, ra, 1e-9);
    EXPECT_NEAR(Found().second, dec, 1e-9);

    // An equatorial star moves by its proper motion and precession; showing a
    // star again brings back the equatorial captions.
    Category(13);
    ASSERT_EQ(window->List3->count(), 1);
    EXPECT_EQ(Line(window->List3, 0), "(UC2_St:0000)fast");
    EXPECT_EQ(Text(window->Label1_2), "적경:");
    const double years = (s.CurrentJD - 2451545) / 365.25;
    double x = 0, y = 0, z = 0;
    astro::SphericalToCartesian(83.8 + 36 / 3600.0 * years, -5.4 - 72 / 3600.0 * years, x, y, z);
    PrecessVector(2451545, s.CurrentJD, x, y, z, ra, dec);
    EXPECT_NEAR(Found().first, ra, 1e-6);
    EXPECT_NEAR(Found().second, dec, 1e-6);
}

}  // namespace
}  // namespace zu
