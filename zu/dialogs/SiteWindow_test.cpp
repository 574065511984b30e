// The observer-site window: "local.txt" read and written back byte for byte,
// the list edits, the zone sign, the range checks and the apply order.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <memory>
#include <sstream>

#include "platform/TextFile.h"
#include "zu/core/ChartHost.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/dialogs/SiteWindow.h"

namespace zu {
namespace {

class SiteWindowTest : public ::testing::Test {
protected:
    void SetUp() override { owner = std::make_unique<QWidget>(); }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmObs& Open() { return static_cast<FrmObs&>(ShowToolWindow(ToolWindowId::FrmObs, owner.get())); }
    std::filesystem::path UserList() const { return p.user.path() / "local.txt"; }
    void WriteList(const std::string& utf8) { ASSERT_TRUE(platform::WriteTextFileCp949(UserList(), utf8)); }
    std::string ListText() const { return platform::ReadTextFileCp949(UserList()).value_or("<none>"); }
    static std::string Text(const QLineEdit* box) { return box->text().toUtf8().toStdString(); }
    static void Place(FrmObs& w, bool west, const char* lon, bool south, const char* lat, const char* zone) {
        w.CmbLon->setCurrentIndex(west ? 1 : 0);
        w.TxtLon[0]->setText(lon);
        w.TxtLon[1]->setText("0");
        w.TxtLon[2]->setText("0");
        w.CmbLat->setCurrentIndex(south ? 1 : 0);
        w.TxtLat[0]->setText(lat);
        w.TxtLat[1]->setText("0");
        w.TxtLat[2]->setText("0");
        w.TxtTimeZone->setText(zone);
    }
    const std::vector<platform::Message>& Shown() { return p.env.messages.shown; }

    test::ProgramEnv p;
    RecordingChartHost host;
    std::unique_ptr<QWidget> owner;
};

TEST_F(SiteWindowTest, ShippedListRoundTripsByteForByte) {
    const std::filesystem::path shipped = std::filesystem::current_path() / "local.txt";
    const std::optional<std::string> bytes = platform::ReadFileBytes(shipped);
    ASSERT_TRUE(bytes);
    const std::vector<SiteLine> lines = ParseSiteLines(*bytes);
    EXPECT_EQ(lines.size(), 82u);
    EXPECT_EQ(FormatSiteLines(lines), *bytes);
    ASSERT_TRUE(lines[0].IsSite);
    EXPECT_EQ(lines[0].Site.Name, "고령");
    const std::string text = platform::Cp949ToUtf8(*bytes);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "고령; 128.46; 35.82; 9;1013; 15; 0; 6");

    // The window reads the shipped list until the user has one.
    FrmObs& w = Open();
    EXPECT_EQ(w.List1->count(), 82);
    EXPECT_EQ(w.List1->currentRow(), -1);
    EXPECT_FALSE(w.CmdEdit[1]->isEnabled());
    EXPECT_FALSE(w.CmdEdit[2]->isEnabled());
    EXPECT_EQ(Text(w.TxtLon[0]), "128");
    EXPECT_EQ(Text(w.TxtLon[1]), "27");
    EXPECT_EQ(Text(w.TxtLon[2]), "36.00");
    EXPECT_EQ(w.CmbLon->currentIndex(), 0);
    EXPECT_EQ(Text(w.TxtTimeZone), "9");
    w.close();
    EXPECT_FALSE(std::filesystem::exists(UserList()));
}

TEST_F(SiteWindowTest, ShortLinesTakeDefaultsOthersStayVerbatim) {
    WriteList("A; 127; 37; 9\r\n\r\nodd;1;2;3;4;5\r\nB; -3.7; 40.4; 1;1000; 20; 1.5; 2\r\n");
    FrmObs& w = Open();
    ASSERT_EQ(w.List1->count(), 2);
    w.List1->setCurrentRow(0);
    w.List1_Click();
    EXPECT_EQ(Text(w.txtAir[1]), "1013");
    EXPECT_EQ(Text(w.txtAir[0]), "15");
    // Madrid-like: west of Greenwich, one hour ahead; the zone shows its sign.
    w.List1->setCurrentRow(1);
    w.List1_Click();
    EXPECT_EQ(Text(w.TxtTimeZone), "+1");
    EXPECT_EQ(w.CmbLon->currentIndex(), 1);

    w.TxtObs->setText("C");
    w.CmdEdit[0]->click();
    EXPECT_EQ(ListText(),
              "A; 127; 37; 9;1013; 15; 0; 6\r\nodd;1;2;3;4;5\r\nB;-3.7; 40.4; 1;1000; 20; 1.5; 2\r\n"
              "C;-3.7; 40.4; 1;1000; 20; 0; 0\r\n");
    EXPECT_EQ(w.List1->count(), 3);
    EXPECT_EQ(w.List1->currentRow(), -1);

    w.List1->setCurrentRow(0);
    EXPECT_TRUE(w.CmdEdit[2]->isEnabled());
    w.CmdEdit[2]->click();
    EXPECT_EQ(ListText(),
              "odd;1;2;3;4;5\r\nB;-3.7; 40.4; 1;1000; 20; 1.5; 2\r\nC;-3.7; 40.4; 1;1000; 20; 0; 0\r\n");
    EXPECT_EQ(w.List1->count(), 2);
    EXPECT_EQ(w.List1->item(0)->text().toStdString(), "B");
    EXPECT_EQ(w.List1->currentRow(), -1);

    w.List1->setCurrentRow(1);
    w.TxtObs->setText("D");
    w.CmdEdit[1]->click();
    EXPECT_EQ(w.List1->item(1)->text().toStdString(), "D");
}

// Bytes code page 949 cannot read (a stray byte, a name saved as UTF-8)
// would come back as '?' if the list were decoded and encoded whole: every
// line and name the user did not change is written back byte for byte.
TEST_F(SiteWindowTest, NamesCodePage949CannotReadKeepTheirBytes) {
    const std::string stray = "A\x80" "b; 127; 37; 9;1013; 15; 0; 6\r\n";
    const std::string utf8 = "\xEC\x84\x9C\xEC\x9A\xB8; 126.98; 37.57; 9;1013; 15; 0; 6\r\n";  // 서울 in UTF-8
    const std::string odd = "odd\xFF;1;2\r\n";
    const std::string kept = stray + utf8 + odd;
    ASSERT_TRUE(platform::WriteFileBytesAtomic(UserList(), kept));
    FrmObs& w = Open();
    ASSERT_EQ(w.List1->count(), 2);
    EXPECT_EQ(w.ListedSites()[0]->Name, "A\uFFFDb");

    // A new site: the others stay as they were.
    Place(w, false, "127", false, "37", "9");
    w.TxtObs->setText("새 관측지");
    w.CmdEdit[0]->click();
    EXPECT_TRUE(Shown().empty());
    const std::string added = platform::Utf8ToCp949("새 관측지; 127; 37; 9;1013; 15; 0; 0\r\n");
    EXPECT_EQ(platform::ReadFileBytes(UserList()), kept + added);

    // The site itself changed, its name as shown left alone: the name keeps
    // its bytes. A name typed anew is written from what was typed.
    w.List1->setCurrentRow(1);
    w.List1_Click();
    w.TxtLat[0]->setText("38");
    w.CmdEdit[1]->click();
    const std::string moved = "\xEC\x84\x9C\xEC\x9A\xB8; 126.98; 38.57; 9;1013; 15; 0; 6\r\n";
    EXPECT_EQ(platform::ReadFileBytes(UserList()), stray + moved + odd + added);
    w.List1->setCurrentRow(0);
    w.List1_Click();
    w.TxtObs->setText("Ab");
    w.CmdEdit[1]->click();
    EXPECT_EQ(platform::ReadFileBytes(UserList()), "Ab; 127; 37; 9;1013; 15; 0; 6\r\n" + moved + odd + added);
}

// The shipped list's lines, each with its CR LF, in file order.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 2;
        lines.push_back(bytes.substr(at, next - at));
        at = next;
    }
    return lines;
}

// The fields of a line of "local.txt" (code page 949, CR LF) in UTF-8.
std::vector<std::string> Fields(const std::string& line) {
    std::istringstream text(platform::Cp949ToUtf8(line.substr(0, line.find("\r\n"))));
    std::vector<std::string> fields;
    for (std::string field; std::getline(text, field, ';');) fields.push_back(field);
    return fields;
}

// A click on a row of the list as the mouse gives it.
void ClickRow(QListWidget& list, int row) {
    const QPoint at = list.visualItemRect(list.item(row)).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &event);
    }
}

// A key in the list, as typed: a letter goes to the list's own search.
void ListKey(QListWidget& list, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&list, &press);
}

// Whichever way the highlight moves from a clicked row (arrow and page keys,
// a typed letter), the fields show the highlighted site, and 고치기 changes
// that site's line and no other byte of the file.
TEST_F(SiteWindowTest, TheFieldsFollowTheHighlightedRowAndEditsTakeIt) {
    const std::string shipped = *platform::ReadFileBytes(std::filesystem::current_path() / "local.txt");
    const std::vector<std::string> shipped_lines = Lines(shipped);
    struct Case {
        const char* name;
        const char* clicked;
        std::vector<int> keys;
        const char* typed;  // a letter typed after the keys; "" for none
        const char* highlighted;
    };
    const Case cases[] = {
        {"15 times Down", "동두천", std::vector<int>(15, Qt::Key_Down), "", "서울"},
        {"Up", "서울", {Qt::Key_Up}, "", "서산"},
        {"Page Down then Home", "서울", {Qt::Key_PageDown, Qt::Key_Home}, "", "고령"},
        {"End", "고령", {Qt::Key_End}, "", nullptr},
        {"a typed letter", "고령", {}, "서", "서귀포"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(UserList());
        FrmObs& w = Open();
        w.activateWindow();
        w.List1->setFocus();
        const QList<QListWidgetItem*> found = w.List1->findItems(QString::fromUtf8(c.clicked), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        ClickRow(*w.List1, w.List1->row(found[0]));
        EXPECT_EQ(Text(w.TxtObs), c.clicked);
        for (const int key : c.keys) ListKey(*w.List1, key);
        if (*c.typed) ListKey(*w.List1, 0, QString::fromUtf8(c.typed));
        const int row = w.List1->currentRow();
        ASSERT_GE(row, 0);
        const ObsSite site = *w.ListedSites()[static_cast<std::size_t>(row)];
        if (c.highlighted) {
            EXPECT_EQ(site.Name, c.highlighted);
        }
        EXPECT_TRUE(w.List1->item(row)->isSelected());
        EXPECT_EQ(Text(w.TxtObs), site.Name);
        EXPECT_EQ(Text(w.TxtLat[0]), std::to_string(static_cast<int>(site.Latitude)));
        EXPECT_EQ(Text(w.txtAir[1]), std::to_string(static_cast<int>(site.Pressure)));
        ASSERT_TRUE(w.CmdEdit[1]->isEnabled());

        w.txtAir[1]->setText("999");
        w.CmdEdit[1]->click();
        EXPECT_TRUE(Shown().empty());
        const std::vector<std::string> written = Lines(*platform::ReadFileBytes(UserList()));
        ASSERT_EQ(written.size(), shipped_lines.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            if (static_cast<int>(i) != row) {
                EXPECT_EQ(written[i], shipped_lines[i]) << "line " << i + 1;
                continue;
            }
            // The changed site: the new pressure, every other field as it was.
            std::vector<std::string> now = Fields(written[i]);
            std::vector<std::string> before = Fields(shipped_lines[i]);
            ASSERT_EQ(now.size(), 8u) << written[i];
            EXPECT_EQ(now[0], site.Name);
            EXPECT_EQ(now[4], "999");
            now[4] = before[4];
            EXPECT_EQ(now, before);
        }
        w.close();
    }
}

// 적용 after the highlight moved by key applies the highlighted site.
TEST_F(SiteWindowTest, ApplyAfterArrowKeysTakesTheHighlightedSite) {
    FrmObs& w = Open();
    w.ChkCloseWin->setChecked(false);
    ClickRow(*w.List1, w.List1->row(w.List1->findItems(QString::fromUtf8("동두천"), Qt::MatchExactly)[0]));
    for (int i = 0; i < 15; ++i) ListKey(*w.List1, Qt::Key_Down);
    w.CmdOK->click();
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    EXPECT_EQ(s.nobsname, "서울");
    EXPECT_NEAR(s.lon, 127, 1e-6);
    EXPECT_NEAR(s.lat, 37.58, 1e-6);
    EXPECT_EQ(s.Pressure, 1008);
}

// The list taking the focus by Tab makes its first row current without
// highlighting it: the fields keep what they show and nothing can be
// overwritten until a site is chosen.
TEST_F(SiteWindowTest, FocusAloneChoosesNoSite) {
    skydata::CurrentSettings().nobsname = "내 관측지";
    FrmObs& w = Open();
    test::PressKey(*w.TxtObs, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(Text(w.TxtObs), "내 관측지");
    EXPECT_FALSE(w.CmdEdit[1]->isEnabled());
    EXPECT_FALSE(w.CmdEdit[2]->isEnabled());
}

// The seconds boxes show their longest value whole ("47.9988", not "7.9988").
TEST_F(SiteWindowTest, SecondsBoxesShowTheirWholeValue) {
    FrmObs& w = Open();
    w.ShowSiteCoords(-(127 + 59 / 60.0 + 47.9988 / 3600), 37 + 12 / 60.0 + 59.9999 / 3600);
    for (const QLineEdit* box : {w.TxtLon[2], w.TxtLat[2]}) {
        SCOPED_TRACE(box->objectName().toStdString());
        const std::string text = Text(box);
        EXPECT_EQ(text.size(), 7u) << text;
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
        // Two pixels of margin each side inside the contents, as the box draws its text.
        EXPECT_GE(contents.width() - 4, box->fontMetrics().horizontalAdvance(box->text())) << text;
        // The unit label "초" stands right of the box, inside the frame.
        EXPECT_LE(box->geometry().right(), box->parentWidget()->width());
    }
    EXPECT_EQ(Text(w.TxtLon[2]), "47.9988");
}

TEST_F(SiteWindowTest, ZoneMinusHundredIsAnOrdinaryLine) {
    WriteList("X; 10; 10; -100;1013; 15; 0; 6\r\n");
    FrmObs& w = Open();
    EXPECT_EQ(w.List1->count(), 1);
    w.TxtObs->setText("Y");
    w.CmdEdit[0]->click();
    EXPECT_EQ(ListText(), "X; 10; 10;-100;1013; 15; 0; 6\r\nY; 128.46; 35.82; 9;1013; 15; 0; 0\r\n");
}

// Numbers no site can have mark a damaged line, which stays as it stands and
// is not listed: a zone, pressure or temperature beyond single precision, a
// longitude or latitude the degree fields cannot show. A listed site out of
// range shows as it is and applying it is refused with the range message.
TEST_F(SiteWindowTest, HugeNumbersInTheListChangeNothing) {
    const std::string damaged =
        "Z; 10; 10; 1E+300\r\nW; 10; 10; 9;1013; -1E+39; 0; 6\r\nH; 1E+300; -1E+308; 9\r\nJ; 400; 10; 9\r\n";
    WriteList(damaged + "N; 170; 95; 9\r\n");
    const skydata::SettingsSnapshot before = skydata::CurrentSettings();
    FrmObs& w = Open();
    ASSERT_EQ(w.List1->count(), 1);
    w.List1->setCurrentRow(0);
    w.List1_Click();
    EXPECT_EQ(Text(w.TxtLat[0]), "95");
    EXPECT_EQ(Text(w.TxtLon[0]), "170");
    w.CmdOK->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text.rfind("위도는", 0), 0u) << Shown()[0].text;
    EXPECT_EQ(skydata::CurrentSettings().lat, before.lat);
    EXPECT_EQ(skydata::CurrentSettings().lon, before.lon);
    EXPECT_EQ(ListText(), damaged + "N; 170; 95; 9\r\n");

    // An edit writes the list again, the damaged lines as they stood.
    Place(w, false, "127", false, "37", "9");
    w.TxtObs->setText("Q");
    w.CmdEdit[0]->click();
    EXPECT_EQ(ListText(), damaged + "N; 170; 95; 9;1013; 15; 0; 6\r\nQ; 127; 37; 9;1013; 15; 0; 0\r\n");
    EXPECT_EQ(w.List1->count(), 2);
}

TEST_F(SiteWindowTest, RefusedInputChangesNothing) {
    WriteList("A; 127; 37; 9\r\n");
    const skydata::SettingsSnapshot before = skydata::CurrentSettings();
    FrmObs& w = Open();
    w.TxtObs->setText("a;b");
    w.CmdEdit[0]->click();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "관측지 이름에는 ';'를 쓸 수 없습니다.");
    EXPECT_EQ(Shown()[0].title, "관측지 설정");
    EXPECT_EQ(Shown()[0].icon, platform::MsgIcon::Exclamation);

    const std::string range =
        "위도는 -90~90도, 경도는 -180~180도, 시간권은 -14~14시간, 기온은 -100~100도, 기압은 0~1200hPa 사이로 "
        "입력해 주십시오.";
    struct Row {
        const char* lat;
        const char* lon;
        const char* zone;
        const char* temperature;
        const char* pressure;
    };
    const Row rows[] = {{"95", "127", "9", "15", "1013"},  {"37", "181", "9", "15", "1013"},
                        {"37", "127", "15", "15", "1013"}, {"37", "127", "9", "-273", "1013"},
                        {"37", "127", "9", "15", "-1"},    {"37", "127", "9", "15", "1300"}};
    w.TxtObs->setText("B");
    for (const Row& row : rows) {
        p.env.messages.shown.clear();
        Place(w, false, row.lon, false, row.lat, row.zone);
        w.txtAir[0]->setText(row.temperature);
        w.txtAir[1]->setText(row.pressure);
        w.CmdEdit[0]->click();
        w.CmdOK->click();
        ASSERT_EQ(Shown().size(), 2u) << row.lat << row.lon << row.zone << row.temperature << row.pressure;
        EXPECT_EQ(Shown()[0].text, range);
        EXPECT_EQ(Shown()[1].title, "관측지 설정");
    }
    EXPECT_EQ(ListText(), "A; 127; 37; 9\r\n");
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(skydata::CurrentSettings().lat, before.lat);
    EXPECT_EQ(w.List1->count(), 1);
}

TEST_F(SiteWindowTest, ApplyTakesTheZoneSignAndRunsInOrder) {
    skydata::CurrentSettings().summertime = true;
    FrmObs& w = Open();
    Place(w, true, "75", false, "40", "5");
    w.ChkCloseWin->setChecked(false);
    w.ChkGeocenter->setChecked(false);
    w.txtAir[0]->setText("-5");
    w.txtAir[1]->setText("990");
    w.CmdOK->click();
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    EXPECT_EQ(s.lon, -75);
    EXPECT_EQ(s.lat, 40);
    EXPECT_EQ(s.timezone2, -5);
    EXPECT_EQ(s.timezone, -4);
    EXPECT_FALSE(s.psystem);
    EXPECT_EQ(s.Temperature, -5);
    EXPECT_EQ(s.Pressure, 990);
    EXPECT_DOUBLE_EQ(AppState().LocalSiderealTime, astro::CalcLST(s.CurrentJD, -75, -4));
    const std::vector<std::string> expected = {"BuildRefractionTable", "SaveDefaultSettings", "ComputePaths",
                                               "ProjectPaths", "FormSet", "SetMapBox"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmObs), &w);
    w.close();

    // Unchanged, applied twice: the zones stay.
    for (int i = 0; i < 2; ++i) {
        FrmObs& again = Open();
        EXPECT_EQ(Text(again.TxtTimeZone), "5");
        again.CmdOK->click();
        EXPECT_EQ(s.timezone2, -5);
        EXPECT_EQ(s.timezone, -4);
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmObs), nullptr);
    }

    FrmObs& madrid = Open();
    Place(madrid, true, "3.7", false, "40.4", "+1");
    madrid.CmdOK->click();
    EXPECT_EQ(s.timezone2, 1);
    FrmObs& shown = Open();
    EXPECT_EQ(Text(shown.TxtTimeZone), "+1");
}

TEST_F(SiteWindowTest, FailedListWriteIsShownAndKeepsTheOldFile) {
    WriteList("A; 127; 37; 9\r\n");
    FrmObs& w = Open();
    platform::SetWriteFailureAfterBytesForTest(3);
    w.TxtObs->setText("B");
    w.CmdEdit[0]->click();
    platform::SetWriteFailureAfterBytesForTest(-1);
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "관측지 목록 파일을 저장할 수 없습니다: " + UserList().string());
    EXPECT_EQ(Shown()[0].title, "관측지 설정");
    EXPECT_EQ(ListText(), "A; 127; 37; 9\r\n");
    EXPECT_EQ(w.List1->count(), 1);
}

// The window is not a dialog: Enter (either key) in a box applies, Esc closes.
TEST_F(SiteWindowTest, EnterInABoxAppliesAndEscapeCloses) {
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        FrmObs& w = Open();
        Place(w, false, "127", false, key == Qt::Key_Return ? "37.5" : "33.5", "9");
        test::PressKey(*w.TxtTimeZone, key);
        EXPECT_EQ(skydata::CurrentSettings().lat, key == Qt::Key_Return ? 37.5 : 33.5);
        EXPECT_EQ(host.calls.back(), "SetMapBox");
        EXPECT_EQ(FindToolWindow(ToolWindowId::FrmObs), nullptr);
    }
    FrmObs& w = Open();
    Place(w, false, "127", false, "10", "9");
    test::PressKey(*w.TxtLat[0], Qt::Key_Escape);
    EXPECT_EQ(FindToolWindow(ToolWindowId::FrmObs), nullptr);
    EXPECT_EQ(skydata::CurrentSettings().lat, 33.5);
}

}  // namespace
}  // namespace zu
