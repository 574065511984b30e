#pragma once
// The calendar program's main window `Form1`: four pages switched by the tab
// buttons of the bottom bar (the month grid under its navigation bar, the
// special days with their editor, the settings panel, the notes), the menu
// bar, and the recompute cycles that every change of year, month or settings
// runs. Loading the window starts the program and closing it ends it.
//
// Every handler runs inside the platform guard; a cycle that forces the
// reference zone puts TZ back on every exit path. Message boxes, dialogs,
// the clock and the browser are reached through the platform seams.
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vu/grid/YearCycle.h"
#include "vu/main/SaveFolders.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QShortcut;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace vu {

class GraphicButton;
class LinkLabel;
class MonthPicture;

// The computable years, astronomical numbering: BCE 10000 to CE 32000.
inline constexpr int kFirstYear = kFirstCalendarYear;
inline constexpr int kLastYear = kLastCalendarYear;

// "vu를": the program's name as the object of a sentence.
std::string VuObject();
// "vu 0.1": the program name, the major and the minor version.
std::string VuCaption();
// The revision number (the patch version, 0 when there is none).
int VuRevision();

// A year field without a number: outside the computable range, so it is
// refused like one and the shown year stays.
inline constexpr int kNotAYear = 1000000000;

// The year field's parse: "BCE. 100" gives -99, "CE. 2008" and "2008" give
// 2008, "12.5" gives 5 (only what follows the first point counts); "BCE 100"
// (no point: the whole text, which starts with no number), letters and an
// empty field give kNotAYear.
int ParseYearField(const std::string& text);
// The year field's display: "BCE. 100" for -99, "CE. 2008" for 2008.
std::string YearFieldText(int year);

class Form1 final : public QMainWindow {
public:
    // Builds the window and runs the load handler (start-up steps).
    Form1();
    ~Form1() override;

    // ---- Public methods (the navigation and the cycles).
    void PrevMon(int step);
    void NextMon(int step);
    // False, with a message and nothing changed, when the year would leave
    // the computable range.
    bool PrevYear(int step);
    bool NextYear(int step);
    void ThisMon();
    void ApplySetting();
    void SDList();
    void ProcessL();
    int GetYR() const;
    // Reads the panel and redraws the displayed month (nothing is drawn for
    // a month field outside 1..12).
    void RefreshCalendar();
    void ReadFormSettings();
    void ShowSettings();
    void OpenConfig();
    void SaveConfig();
    void DefaultConfig();
    // The shut-down question and save; true when the window may close.
    bool Form_Unload();
    void Form_Resize();

    // ---- Handlers (each inside the guard).
    void txtYR_GotFocus();
    void txtYR_KeyPress(int key_code);
    void txtYR_LostFocus();
    void txtMN_GotFocus();
    void txtMN_KeyPress(int key_code);
    void txtMN_LostFocus();
    void XpLink1_Click();
    void cmdTab_Click(int index);
    void CmdYR_Click(int index);
    void CmdYR_MouseUp(int index, int button);
    void CmdMN_Click(int index);
    void CmdMN_MouseUp(int index, int button);
    void Combo3_Click();
    void Command2_Click();
    void Command4_Click(int index);
    void LBColor_Click();
    void LColor_Click(int index);
    void ListSD_Click();
    void CmdSD_Click();
    void CmdCL_Click();
    void mnuCelSub_Click(int index);
    void cmdFile_Click(int index);
    void mnuLoadCFG_Click();
    void mnuSaveCFG_Click();
    void mnuReset_Click();
    void mnuExit_Click();

    // Hooks of the outputs and the tool windows, connected by their own
    // modules; unset, the commands do nothing.
    struct OutputHooks {
        std::function<void()> SaveHtml;        // CmdHTML, mnuSaveHTML
        std::function<void()> SaveBmp;         // Command3, mnuSaveBMP
        std::function<void()> Print;           // cmdPrint, mnuPrint
        std::function<void()> Templet;         // mnuTemplet
        std::function<void()> DetailView;      // mnuDetailView
        std::function<void(int)> Info;         // cmdInfo(0..2), mnuMoon, mnuSun24, mnuOne
        std::function<void()> DirectChange;    // mnuDirectChange
        std::function<void()> Trans;           // mnuTrans
    };
    OutputHooks Hooks;

    // Runs a handler inside the platform guard (title "vu").
    void Run(const std::function<void()>& handler);
    // Where the save dialogs of each kind of file start.
    SaveFolders SavedFolders;
    // The zone the lunar year was last prepared with (the forced reference
    // zone or the panel's), for checking the cycles.
    double PreparedZone() const { return prepared_zone_; }
    // The month shown by the last valid month field.
    int ShownMonth() const { return shown_month_; }

    // ---- Menus.
    QMenu* mnuMain = nullptr;
    QMenu* mnuInfo = nullptr;
    QMenu* mnuCel = nullptr;
    QAction* mnuSaveHTML = nullptr;
    QAction* mnuTemplet = nullptr;
    QAction* mnuSaveBMP = nullptr;
    QAction* mnuLoadCFG = nullptr;
    QAction* mnuSaveCFG = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuDetailView = nullptr;
    QAction* mnuMoon = nullptr;
    QAction* mnuSun24 = nullptr;
    QAction* mnuOne = nullptr;
    QAction* mnuDirectChange = nullptr;
    QAction* mnuTrans = nullptr;
    QAction* mnuReset = nullptr;
    std::array<QAction*, 3> mnuCelSub{};
    QAction* mnuExit = nullptr;

    // ---- Pages and bars.
    QWidget* Client = nullptr;
    std::array<QWidget*, 4> PicCal{};
    MonthPicture* Grid = nullptr;  // PicCal(0)
    QWidget* Picture1 = nullptr;
    QWidget* PicBottom = nullptr;
    std::array<GraphicButton*, 4> cmdTab{};
    QLabel* Label1_52 = nullptr;

    // Navigation bar.
    std::array<GraphicButton*, 2> CmdYR{};
    std::array<GraphicButton*, 2> CmdMN{};
    QLineEdit* txtYR = nullptr;
    QLineEdit* txtMN = nullptr;
    QLabel* Label1_42 = nullptr;
    QLabel* Label1_43 = nullptr;
    GraphicButton* Command2 = nullptr;
    GraphicButton* CmdHTML = nullptr;
    GraphicButton* Command3 = nullptr;
    GraphicButton* cmdPrint = nullptr;
    std::array<GraphicButton*, 3> cmdInfo{};

    // Notes page.
    QLabel* Label2_0 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    LinkLabel* XpLink1 = nullptr;

    // Special-day page.
    QComboBox* Combo3 = nullptr;
    QListWidget* ListSD = nullptr;
    std::array<QGroupBox*, 2> Frame2{};
    QLabel* Label3 = nullptr;
    QLabel* lblSD = nullptr;
    std::array<QLineEdit*, 4> txtSD{};
    // The page's controls scroll in it when the window is too small for
    // them; the help text scrolls in the help frame.
    QScrollArea* DaysScroll = nullptr;
    QScrollArea* HelpScroll = nullptr;
    std::array<QCheckBox*, 2> Check2{};
    QComboBox* Combo2 = nullptr;
    QPushButton* CmdSD = nullptr;
    QPushButton* CmdCL = nullptr;
    QPushButton* CmdSort = nullptr;

    // Settings page.
    std::array<QLineEdit*, 6> txtObs{};
    std::array<QCheckBox*, 2> chkObs{};
    QLineEdit* txtTZ = nullptr;
    QLineEdit* txtHT = nullptr;
    QCheckBox* ChkCalcHieght = nullptr;
    std::array<QLineEdit*, 7> txtSummer{};
    std::array<QLineEdit*, 3> txtREF{};
    std::array<QCheckBox*, 16> Check1{};
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* cmbTidal = nullptr;
    QLabel* LBColor = nullptr;
    std::array<QLabel*, 5> LColor{};
    std::array<QPushButton*, 2> Command4{};
    std::array<QPushButton*, 2> cmdFile{};
    std::array<QLabel*, 3> PanelNotes{};
    // The settings page's groups scroll in it when the window is too small
    // for them.
    QScrollArea* SettingsScroll = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void BuildMenus();
    void BuildTopBar();
    // Lays the top bar out for a width: one row, or two when one is too narrow.
    void ArrangeTopBar(int width);
    void BuildBottomBar();
    void BuildNotesPage();
    void BuildSpecialDayPage();
    void BuildSettingsPage();
    // Lays the special-day page out over its scroll area: the page's own
    // size, or the least its controls need where that is more.
    void ArrangeSpecialDayPage();
    // Lays the settings page's groups out for a width: two columns, or one
    // when two are too wide.
    void ArrangeSettingsPage(int width);
    void ConnectHandlers();
    // The year and settings cycles share this: prepares the lunar months and
    // the special days of CalYear for the month field's month.
    void PrepareYear();
    // The month field as a month 1..12; 0 when it holds anything else.
    int FieldMonth() const;
    // Refuses a month field outside 1..12: message, the last valid month
    // back in the field; false then.
    bool CheckMonthField();
    void YearOutOfRange();
    // The settings panel's fields that hold one value together (latitude,
    // longitude, zone, height, base date, summer time) and whether numbers
    // typed into them fit (nullopt: the field holds no number).
    struct PanelGroup {
        std::vector<QLineEdit*> boxes;
        const char* message;
        std::function<bool(const std::vector<std::optional<double>>&)> fits;
    };
    std::vector<PanelGroup> PanelGroups();
    // Checks the groups (only the one holding `only` when given): a group
    // that does not fit gets its message and its last good texts back.
    // True when every checked group fits.
    bool CheckPanelFields(const QLineEdit* only);
    // The panel's texts as the good ones to go back to.
    void RememberPanelFields();
    void FontPicker(int slot, QLabel& sample, const std::string& title);
    void ShowSample(QLabel& sample, int slot);
    void ShowEmphasisSample();
    void LoadSlotIntoEditor(int slot);
    void SelectListLine(int slot);
    void SetMenuChecks();
    // A key of the month grid (enabled while the grid page is shown).
    bool IsGridKey(const QKeyEvent& key) const;

    double prepared_zone_ = 0;
    int shown_month_ = 1;
    int editor_slot_ = 1;
    bool exit_confirmed_ = false;
    bool in_year_leave_ = false;
    bool checking_panel_ = false;
    // The top bar's two rows; the second is empty unless the window is too
    // narrow for one.
    std::array<QHBoxLayout*, 2> top_rows_{};
    // The month grid's keys, on while the grid page is shown.
    std::vector<QShortcut*> grid_keys_;
    int one_row_width_ = 0;
    bool top_two_rows_ = false;
    // The settings page's groups in the order of their columns, left first,
    // and the width two columns need.
    std::vector<QWidget*> settings_groups_;
    int two_columns_width_ = 0;
    bool settings_one_column_ = false;
    // Keeps the focused control of a scrolling page in view.
    QMetaObject::Connection focus_watch_;
};

}  // namespace vu
