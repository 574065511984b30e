// The settings window: loading with the shortest number texts, the silent
// clamps of apply, the apply order and cancelling.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <algorithm>
#include <cmath>
#include <memory>

#include "chart/ChartState.h"
#include "platform/TextFile.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/dialogs/SettingsWindow.h"

namespace zu {
namespace {

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override { owner = std::make_unique<QWidget>(); }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmSet& Open() { return static_cast<FrmSet&>(ShowToolWindow(ToolWindowId::FrmSet, owner.get())); }
    static std::string Text(const QLineEdit* box) { return box->text().toUtf8().toStdString(); }
    skydata::SettingsSnapshot& s() { return skydata::CurrentSettings(); }

    test::ProgramEnv p;
    RecordingChartHost host;
    std::unique_ptr<QWidget> owner;
};

TEST_F(SettingsWindowTest, LoadsShortestTextsAndTheNearestStarSize) {
    s().vmnonstellar = 8.1f;
    s().MapRefreshRate = 0;
    s().fcircle01 = "F:파인더";
    s().rotateang = 7.5;
    FrmSet& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), "설정");
    EXPECT_EQ(Text(w.TxtKi), "8.1");
    EXPECT_EQ(Text(w.TxtLimit), "5.5");
    EXPECT_EQ(Text(w.txtAirEx), "0.28");
    EXPECT_EQ(Text(w.txtRefreshRate), "10");
    EXPECT_EQ(Text(w.TxtfName[0]), "파인더");
    EXPECT_FALSE(w.ChkLabel[0]->isChecked());
    EXPECT_TRUE(w.ChkLabel[1]->isChecked());
    EXPECT_EQ(Text(w.TxtRotate), "7.5");
    EXPECT_TRUE(w.Opt360[1]->isChecked());
    EXPECT_EQ(w.Combo1->currentText().toStdString(), "1.0");
    w.close();
    for (auto [sf, item] : {std::pair{0.25f, "0.2"}, std::pair{3.0f, "1.2"}, std::pair{0.0f, "0.2"}}) {
        s().sf = sf;
        FrmSet& again = Open();
        EXPECT_EQ(again.Combo1->currentText().toStdString(), item) << sf;
        again.close();
    }
}

TEST_F(SettingsWindowTest, TabsShowOneFrameInOnePlace) {
    FrmSet& w = Open();
    EXPECT_TRUE(w.Frame1[0]->isVisible());
    EXPECT_FALSE(w.Frame1[3]->isVisible());
    w.TabStrip1->setCurrentIndex(1);
    EXPECT_TRUE(w.Frame1[3]->isVisible());
    EXPECT_FALSE(w.Frame1[0]->isVisible());
    EXPECT_EQ(w.Frame1[3]->pos(), w.Frame1[0]->pos());
}

TEST_F(SettingsWindowTest, ApplyClampsSilently) {
    struct Row {
        const char* air;
        float air_kept;
        const char* limit;
        double limit_kept;
        const char* refresh;
        int refresh_kept;
        const char* finder;
        const char* finder_kept;
    };
    const Row rows[] = {{"-0.5", 0.28f, "12.5", 11, "0", 10, "0", "0.1"},
                        {"0", 0, "-1", -1, "61", 10, "75", "50"},
                        {"0.35", 0.35f, "11", 11, "", 10, "0.05", "0.05"},
                        {"0.28", 0.28f, "6", 6, "60", 60, "5.0", "5"}};
    for (const Row& row : rows) {
        FrmSet& w = Open();
        w.txtAirEx->setText(row.air);
        w.TxtLimit->setText(row.limit);
        w.txtRefreshRate->setText(row.refresh);
        w.TxtFSize[1]->setText(row.finder);
        w.ChkLabel[0]->setChecked(false);
        w.Opt360[0]->setChecked(true);
        w.CmdOK->click();
        EXPECT_EQ(s().AirExCoff, row.air_kept) << row.air;
        EXPECT_EQ(s().vmlimit, row.limit_kept) << row.limit;
        EXPECT_EQ(s().MapRefreshRate, row.refresh_kept) << row.refresh;
        EXPECT_EQ(s().fcircle10, row.finder_kept) << row.finder;
        EXPECT_EQ(s().fcircle01, "F:시야: 5.0도");
        EXPECT_FALSE(s().juchon);
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), nullptr);
        EXPECT_TRUE(p.env.messages.shown.empty());
    }
}

TEST_F(SettingsWindowTest, UnchangedApplyStillRecomputesAndCancelDoesNothing) {
    FrmSet& w = Open();
    w.CmdOK->click();
    const std::vector<std::string> expected = {"BuildExtinctionTable", "PrecessMansionStars", "ComputeBscVectors(true)",
                                               "ComputeS2kVectors(true)", "CheckUserCatalogs", "SaveDefaultSettings",
                                               "ComputePaths", "ProjectPaths", "FormSet", "SetMapBox"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_TRUE(std::filesystem::exists(p.user.path() / "Default.cfg"));

    host.calls.clear();
    const skydata::SettingsSnapshot before = s();
    FrmSet& cancelled = Open();
    cancelled.TxtLimit->setText("3");
    cancelled.CmdCancel->click();
    FrmSet& closed = Open();
    closed.TxtLimit->setText("3");
    closed.close();
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(s().vmlimit, before.vmlimit);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmSet), nullptr);
}

TEST_F(SettingsWindowTest, UserListsAreChosenOpenedAndEmptiedInTheDialogOnly) {
    const std::filesystem::path list = p.user.path() / "stars.UC";
    ASSERT_TRUE(platform::WriteTextFileCp949(
        list, "<Header>\r\nCatalog Name=내 별들\r\nComments=설명\r\n</Header>\r\n<ObjectList>\r\n</ObjectList>\r\n"));
    FrmSet& w = Open();
    ASSERT_EQ(w.ListCat->count(), 2);
    EXPECT_EQ(w.ListCat->item(0)->text().toStdString(), "사용자 정의 목록: 내용 없음");
    EXPECT_EQ(w.ListCat->item(1)->text().toStdString(), "사용자 정의 목록: 내용 없음");
    EXPECT_FALSE(w.CmdSetPath->isEnabled());
    EXPECT_FALSE(w.CmdCAT[0]->isEnabled());

    w.TabStrip1->setCurrentIndex(3);
    EXPECT_EQ(w.ListCat->currentRow(), 0);
    EXPECT_EQ(w.LblCatName->text().toStdString(), "지정된 목록이 없음");
    EXPECT_TRUE(w.CmdSetPath->isEnabled());
    EXPECT_FALSE(w.CmdCAT[1]->isEnabled());
    w.CmdCAT[0]->click();
    EXPECT_TRUE(p.env.shell.opened.empty());

    p.env.files.answers.push_back(platform::FileChoice{list, 1});
    w.CmdSetPath->click();
    ASSERT_EQ(p.env.files.requests.size(), 1u);
    EXPECT_EQ(p.env.files.requests[0].title, "사용자 정의 목록 불러오기");
    EXPECT_EQ(p.env.files.requests[0].filter,
              "사용자 정의 목록 파일(*.UC)|*.UC|텍스트 문서(*.TXT)|*.TXT|모든 파일(*.*)|*.*");
    EXPECT_EQ(p.env.files.requests[0].name, "") << "an open dialog starts without a name";
    EXPECT_EQ(p.env.files.requests[0].folder, p.documents.path());
    EXPECT_EQ(w.ListCat->item(0)->text().toStdString(), "사용자 정의 목록: 내 별들");
    EXPECT_EQ(w.LblCatName->text().toStdString(), "내 별들");
    w.CmdCAT[0]->click();
    EXPECT_EQ(p.env.shell.opened, std::vector<std::string>{list.string()});
    EXPECT_EQ(w.ListCat->currentRow(), -1);
    EXPECT_FALSE(w.CmdSetPath->isEnabled());
    w.CmdOK->click();
    EXPECT_TRUE(s().usercatfile0is);
    EXPECT_EQ(s().usercatfile0, list.string());
    EXPECT_EQ(skydata::UserCatalogModule().Catalogs[0].Name, "내 별들");

    // Emptying slot 1 and cancelling keeps it; applying stores it empty.
    FrmSet& again = Open();
    EXPECT_EQ(again.ListCat->item(0)->text().toStdString(), "사용자 정의 목록: 내 별들");
    again.ListCat->setCurrentRow(0);
    again.CmdCAT[1]->click();
    EXPECT_EQ(again.ListCat->item(0)->text().toStdString(), "사용자 정의 목록: 내용 없음");
    again.CmdCancel->click();
    EXPECT_TRUE(s().usercatfile0is);
    FrmSet& third = Open();
    third.ListCat->setCurrentRow(0);
    third.CmdCAT[1]->click();
    third.CmdOK->click();
    EXPECT_FALSE(s().usercatfile0is);
    EXPECT_TRUE(std::filesystem::exists(list));
}

TEST_F(SettingsWindowTest, ColoursAndFontsAreEditedInTheTabAndAppliedTogether) {
    skydata::StyleTables& styles = skydata::StartupTables().Styles;
    const skydata::FontStyle grid0 = styles.GridFontTable[0];
    constexpr platform::Colour kRed = platform::Rgb(255, 0, 0);
    FrmSet& w = Open();

    // Right button on the horizon label: colour of the label and its line.
    p.env.colours.answers.push_back(kRed);
    w.LblLine_MouseUp(0, 2);
    ASSERT_EQ(p.env.colours.requests.size(), 1u);
    EXPECT_EQ(p.env.colours.requests[0].initial, static_cast<platform::Colour>(styles.LineColorTable[0]));
    EXPECT_EQ(w.LineColours[0], static_cast<std::int32_t>(kRed));
    EXPECT_EQ(w.LblLine[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // Left button: the font dialog, preset with the label's font.
    p.env.fonts.answers.push_back(std::nullopt);
    w.LblLine_MouseUp(0, 1);
    ASSERT_EQ(p.env.fonts.requests.size(), 1u);
    EXPECT_EQ(p.env.fonts.requests[0].initial.name, grid0.FontName);
    // The ecliptic: its click opens the colour dialog, its mouse-up nothing.
    w.LblLine_Click(3);
    w.LblLine_MouseUp(3, 1);
    w.LblLine_MouseUp(3, 2);
    EXPECT_EQ(p.env.colours.requests.size(), 2u);
    EXPECT_EQ(p.env.fonts.requests.size(), 1u);
    // Headings open nothing.
    w.LblLine_Click(11);
    w.LblLine_Click(12);
    w.LblLine_MouseUp(11, 1);
    EXPECT_EQ(p.env.colours.requests.size(), 2u);
    EXPECT_EQ(p.env.fonts.requests.size(), 1u);
    // A layer font of 10.5 points is stored as 10.
    platform::FontSpec font;
    font.name = "DejaVu Sans";
    font.size_pt = 10.5;
    font.bold = true;
    p.env.fonts.answers.push_back(font);
    w.LblName_MouseUp(7, 1);
    // The background box changes nothing of the settings.
    w.Check1->setChecked(true);
    EXPECT_EQ(styles.LineColorTable[0], skydata::DefaultStyleTables().LineColorTable[0]);

    w.CmdOK->click();
    EXPECT_EQ(styles.LineColorTable[0], static_cast<std::int32_t>(kRed));
    EXPECT_EQ(styles.GridFontTable[0].FontName, grid0.FontName);
    EXPECT_EQ(styles.GridFontTable[0].FontSize_pt, grid0.FontSize_pt);
    EXPECT_EQ(styles.LayerStyle[7].FontName, "DejaVu Sans");
    EXPECT_EQ(styles.LayerStyle[7].FontSize_pt, 10);
    EXPECT_TRUE(styles.LayerStyle[7].Bold);
    EXPECT_EQ(AppState().MilkyWayColors[0], styles.LineColorTable[8]);
    EXPECT_EQ(AppState().MilkyWayColors[1], styles.LineColorTable[9]);
    EXPECT_EQ(styles.SpectralColors, skydata::DefaultStyleTables().SpectralColors);
}

// Contrast ratio of two colours by WCAG 2 (relative luminance of the
// linearised sRGB channels): 1 for equal colours, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every caption of the colour tab can be read (WCAG AA, contrast 4.5): one
// whose colour is too dark or too light for the tab's background stands on a
// backing of its own, and keeps its colour as the value it shows.
TEST_F(SettingsWindowTest, EveryCaptionOfTheColourTabCanBeRead) {
    FrmSet& w = Open();
    QGroupBox* tab = w.Frame1[1];
    const auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        const QColor background = tab->palette().color(QPalette::Window);
        int captions = 0;
        for (QWidget* caption : tab->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QLabel*>(caption) && !qobject_cast<QCheckBox*>(caption)) continue;
            ++captions;
            const QColor text = caption->palette().color(QPalette::WindowText);
            const QColor behind = caption->autoFillBackground() ? caption->palette().color(QPalette::Window) : background;
            EXPECT_GE(ContrastRatio(text, behind), 4.5)
                << caption->objectName().toStdString() << " " << text.name().toStdString() << " on "
                << behind.name().toStdString();
        }
        EXPECT_EQ(captions, 41) << "every label and the box of the tab";
    };
    check("the default colours on black");
    // The night sky is black: its caption keeps black text on a backing.
    EXPECT_EQ(w.LblSky[0]->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_TRUE(w.LblSky[0]->autoFillBackground());
    EXPECT_FALSE(w.LblStar[2]->autoFillBackground()) << "white on black needs no backing";

    p.env.colours.answers.push_back(platform::Rgb(0, 0, 40));
    w.LblName_MouseUp(7, 2);
    EXPECT_EQ(w.LblName[7]->palette().color(QPalette::WindowText), QColor(0, 0, 40));
    check("a dark colour picked");

    chart::Chart().SkyBackColor = platform::Rgb(63, 187, 239);
    w.Check1->setChecked(true);
    check("the daytime sky behind");
    w.Check1->setChecked(false);
    check("black again");
}

}  // namespace
}  // namespace zu
