// The special-day page of Form1: the set chooser, the list of the active
// set's user slots and the editor that stores or empties one slot.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "astro/TextFormat.h"
#include "calendar/CalendarState.h"
#include "calendar/SpecialDays.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "ui/ToolControls.h"
#include "vu/grid/CellText.h"
#include "vu/main/Form1.h"

namespace vu {
namespace {

using ui::Named;

QString Q(std::string_view text) { return ui::QText(text); }

constexpr const char* kTitle = "vu";
constexpr const char* kBadNameMessage = "기념일 이름에 쓸 수 없는 글자가 있습니다.";
constexpr const char* kBadDateMessage = "날짜를 바르게 입력해 주세요.";

std::string SlotNumberText(int slot) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", slot);
    return text;
}

// A field's leading number rounded halves to even, when it fits 16 bits.
std::optional<std::int16_t> Field16(const std::string& text) {
    const double v = std::nearbyint(astro::ParseLeadingNumber(text));
    if (!(v >= -32768 && v <= 32767)) return std::nullopt;
    return static_cast<std::int16_t>(v);
}

std::string Trimmed(const QString& text) { return ui::StdText(text.trimmed()); }

// Days of a solar month; February has 29 in Julian leap years up to 1582
// and in Gregorian ones after, and always for an every-year entry.
int SolarMonthDays(int year, int month, bool every_year) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2) return kDays[month - 1];
    if (every_year) return 29;
    const bool leap = year <= 1582 ? year % 4 == 0
                                   : (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
}

// A name the settings files can hold: no field separator, no brackets of
// the tags, no line break, and nothing beyond code page 949.
bool NameFits(const std::string& name) {
    if (name.find(":;") != std::string::npos) return false;
    if (name.find_first_of("[]\r\n") != std::string::npos) return false;
    return platform::FitsCp949(name);
}

}  // namespace

void Form1::BuildSpecialDayPage() {
    // The controls lie on a surface that scrolls in the page; the layout
    // gives it the page's size, or more when the page is too small.
    DaysScroll = Named(new QScrollArea(PicCal[1]), "DaysScroll");
    DaysScroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget;
    page->setObjectName("DaysSurface");
    DaysScroll->setWidget(page);
    Combo3 = Named(new QComboBox(page), "Combo3");
    Combo3->setToolTip(Q("사용할 기념일의 종류를 고르세요."));
    Combo3->setFixedWidth(230);
    Combo3->adjustSize();
    ListSD = Named(new QListWidget(page), "ListSD");
    ListSD->setGeometry(10, 40, 330, 300);

    Frame2[0] = Named(new QGroupBox(Q("기념일 설정"), page), "Frame2", 0);
    Frame2[0]->setGeometry(350, 40, 400, 250);
    auto* editor = new QGridLayout(Frame2[0]);
    editor->addWidget(new QLabel(Q("기념일 번호:"), Frame2[0]), 0, 0);
    lblSD = Named(new QLabel(Q("001"), Frame2[0]), "lblSD");
    editor->addWidget(lblSD, 0, 1);
    const char* kFieldCaptions[4] = {"연도:", "월:", "일:", "이름:"};
    const char* kDesignFields[4] = {"2008", "1", "1", "신정"};
    for (int i = 0; i < 4; ++i) {
        editor->addWidget(new QLabel(Q(kFieldCaptions[i]), Frame2[0]), 1 + i, 0);
        auto* field = Named(new QLineEdit(Q(kDesignFields[i]), Frame2[0]), "txtSD", i);
        txtSD[static_cast<std::size_t>(i)] = field;
        editor->addWidget(field, 1 + i, 1, 1, 2);
    }
    Check2[0] = Named(new QCheckBox(Q("음력"), Frame2[0]), "Check2", 0);
    Check2[1] = Named(new QCheckBox(Q("윤달"), Frame2[0]), "Check2", 1);
    editor->addWidget(Check2[0], 5, 0);
    editor->addWidget(Check2[1], 5, 1);
    editor->addWidget(new QLabel(Q("종류:"), Frame2[0]), 6, 0);
    Combo2 = Named(new QComboBox(Frame2[0]), "Combo2");
    for (const char* kind : {"일반", "휴일", "강조", "휴일+강조"}) Combo2->addItem(Q(kind));
    editor->addWidget(Combo2, 6, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    CmdSD = Named(new QPushButton(Q("고치기"), Frame2[0]), "CmdSD");
    CmdCL = Named(new QPushButton(Q("지우기"), Frame2[0]), "CmdCL");
    CmdSort = Named(new QPushButton(Q("목록 정리"), Frame2[0]), "CmdSort");
    buttons->addWidget(CmdSD);
    buttons->addWidget(CmdCL);
    buttons->addWidget(CmdSort);
    editor->addLayout(buttons, 7, 0, 1, 3);
    editor->setRowStretch(8, 1);

    Frame2[1] = Named(new QGroupBox(Q("사용법"), page), "Frame2", 1);
    Frame2[1]->setGeometry(350, 300, 400, 200);
    // A narrow frame holds fewer words a line: the text then scrolls.
    HelpScroll = Named(new QScrollArea(Frame2[1]), "HelpScroll");
    HelpScroll->setFrameShape(QFrame::NoFrame);
    HelpScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HelpScroll->setWidgetResizable(true);
    HelpScroll->setGeometry(10, 20, 380, 170);
    Label3 = Named(new QLabel, "Label3");
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    HelpScroll->setWidget(Label3);

    connect(Combo3, &QComboBox::currentIndexChanged, this, [this] { Combo3_Click(); });
    connect(ListSD, &QListWidget::currentRowChanged, this, [this] { ListSD_Click(); });
    connect(CmdSD, &QPushButton::clicked, this, [this] { CmdSD_Click(); });
    connect(CmdCL, &QPushButton::clicked, this, [this] { CmdCL_Click(); });
}

namespace {

// What scrolls in `area` takes the area's own size, or the least the
// content needs where that is more; the view is what the scroll bars then
// shown leave of the area (a bar for one direction can make the other one
// needed). Worked out here, as a hidden page's area has not yet laid out.
struct Scrolled {
    QSize content, view;
};

Scrolled ScrolledSize(const QScrollArea& area, QSize least) {
    const int bar = area.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &area);
    int width = area.width(), height = area.height();
    const bool across = least.width() > width;
    if (across) height -= bar;
    const bool down = least.height() > height;
    if (down) width -= bar;
    if (down && !across && least.width() > width) height -= bar;
    return {{std::max(width, least.width()), std::max(height, least.height())}, {width, height}};
}

}  // namespace

void Form1::ArrangeSpecialDayPage() {
    const auto at_least0 = [](int v) { return std::max(0, v); };
    QGroupBox* editor = Frame2[0];
    QGroupBox* help = Frame2[1];
    DaysScroll->setGeometry(0, 0, PicCal[1]->width(), PicCal[1]->height());
    // Every field of the editor keeps its own height; the list and the
    // editor take what room the page has beyond that.
    const QSize least(editor->x() + editor->minimumSizeHint().width() + 10,
                      Combo3->height() + 40 + editor->minimumSizeHint().height() + help->height());
    const Scrolled scrolled = ScrolledSize(*DaysScroll, least);
    const QSize room = scrolled.content;
    QWidget* days = DaysScroll->widget();
    days->resize(room);
    Combo3->move(10, 10);
    // The list ends where the page's view does, so all of it is seen at
    // once; it scrolls its own lines.
    const int seen_height = scrolled.view.height();
    ListSD->setGeometry(10, Combo3->y() + Combo3->height() + 10, ListSD->width(),
                        std::max(ListSD->minimumSizeHint().height(), seen_height - 30 - Combo3->height()));
    editor->setGeometry(editor->x(), ListSD->y(), at_least0(room.width() - editor->x() - 10),
                        at_least0(room.height() - 40 - Combo3->height() - help->height()));
    help->setGeometry(help->x(), editor->y() + editor->height() + 10, editor->width(), help->height());
    HelpScroll->setGeometry(HelpScroll->x(), HelpScroll->y(), at_least0(help->width() - 20), HelpScroll->height());
}

void Form1::SDList() {
    const calendar::CalendarState& state = calendar::Calendar();
    const calendar::SDaySet& set = state.SDays[std::min<std::size_t>(state.settings.SDCAT, calendar::kSDaySets - 1)];
    const QSignalBlocker quiet(ListSD);
    ListSD->clear();
    for (int slot = 0; slot < calendar::kSDayUserSlots; ++slot) {
        ListSD->addItem(Q(calendar::SDayListText(slot, set[static_cast<std::size_t>(slot)])));
    }
}

void Form1::ListSD_Click() {
    Run([this] {
        const int n = ListSD->currentRow();
        if (n < 0 || n >= calendar::kSDayUserSlots) return;
        LoadSlotIntoEditor(n);
    });
}

void Form1::LoadSlotIntoEditor(int slot) {
    editor_slot_ = slot;
    lblSD->setText(Q(SlotNumberText(slot)));
    const calendar::CalendarState& state = calendar::Calendar();
    const calendar::SDayRecord& r = state.SDays[std::min<std::size_t>(state.settings.SDCAT, calendar::kSDaySets - 1)]
                                     [static_cast<std::size_t>(slot)];
    if (r.month < -4) {
        for (QLineEdit* field : txtSD) field->clear();
        Check2[0]->setChecked(false);
        Check2[1]->setChecked(false);
        Combo2->setCurrentIndex(0);
        return;
    }
    txtSD[0]->setText(r.year == calendar::DDayYear ? QString("x") : r.year < -9999 ? QString() : Q(TrimNum(r.year)));
    txtSD[1]->setText(Q(TrimNum(r.month)));
    txtSD[2]->setText(Q(TrimNum(r.day)));
    txtSD[3]->setText(Q(r.name));
    Check2[0]->setChecked(r.lunar);
    Check2[1]->setChecked(r.leap);
    Combo2->setCurrentIndex(std::min<int>(r.kind, 3));
}

void Form1::SelectListLine(int slot) {
    {
        const QSignalBlocker quiet(ListSD);
        ListSD->setCurrentRow(slot);
    }
    LoadSlotIntoEditor(slot);
}

void Form1::CmdSD_Click() {
    Run([this] {
        calendar::CalendarState& state = calendar::Calendar();
        const int n = editor_slot_;
        calendar::SDayRecord& slot = state.SDays[std::min<std::size_t>(state.settings.SDCAT, calendar::kSDaySets - 1)]
                                      [static_cast<std::size_t>(n)];
        calendar::SDayRecord r = slot;
        const std::string y = Trimmed(txtSD[0]->text());
        if (y == "x" || y == "X") {
            r.year = calendar::DDayYear;
        } else if (!y.empty()) {
            const std::optional<std::int16_t> year = Field16(y);
            if (!year) {
                platform::MsgBox(kBadDateMessage, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
                return;
            }
            r.year = *year;
        } else {
            r.year = calendar::EveryYear;
        }
        const std::optional<std::int16_t> month = Field16(Trimmed(txtSD[1]->text()));
        const std::optional<std::int16_t> day = Field16(Trimmed(txtSD[2]->text()));
        r.name = Trimmed(txtSD[3]->text());
        r.lunar = Check2[0]->isChecked();
        r.leap = Check2[1]->isChecked();
        r.kind = static_cast<std::uint8_t>(std::max(0, Combo2->currentIndex()));
        if (!NameFits(r.name)) {
            platform::MsgBox(kBadNameMessage, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
            return;
        }
        bool valid = month && day;
        if (valid) {
            r.month = *month;
            r.day = *day;
            if (r.year == calendar::DDayYear) {
                valid = r.month >= 0 && r.month < calendar::kSDayUserSlots;
            } else if (r.lunar) {
                valid = r.month >= 1 && r.month <= 12 && r.day >= 1 && r.day <= 30;
            } else {
                valid = r.month >= 1 && r.month <= 12 && r.day >= 1 &&
                        r.day <= SolarMonthDays(r.year, r.month, r.year == calendar::EveryYear);
            }
        }
        if (!valid) {
            platform::MsgBox(kBadDateMessage, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
            return;
        }
        r.unresolved = false;
        slot = r;
        SDList();
        SelectListLine(n);
    });
}

void Form1::CmdCL_Click() {
    Run([this] {
        if (platform::MsgBox("설정된 기념일을 지우시겠습니까?", platform::MsgButtons::YesNo,
                             platform::MsgIcon::Exclamation, kTitle) != platform::MsgAnswer::Yes) {
            return;
        }
        calendar::CalendarState& state = calendar::Calendar();
        const int n = editor_slot_;
        for (QLineEdit* field : txtSD) field->clear();
        Check2[0]->setChecked(false);
        Check2[1]->setChecked(false);
        Combo2->setCurrentIndex(0);
        state.SDays[std::min<std::size_t>(state.settings.SDCAT, calendar::kSDaySets - 1)][static_cast<std::size_t>(n)] =
            calendar::SDayRecord{};
        SDList();
        SelectListLine(n);
    });
}

void Form1::Combo3_Click() {
    Run([this] {
        const int index = Combo3->currentIndex();
        if (index < 0 || index >= calendar::kSDaySets) return;
        calendar::Calendar().settings.SDCAT = static_cast<std::uint8_t>(index);
        SDList();
        SetMenuChecks();
    });
}

void Form1::mnuCelSub_Click(int index) {
    Run([this, index] {
        if (index < 0 || index >= calendar::kSDaySets) return;
        calendar::Calendar().settings.SDCAT = static_cast<std::uint8_t>(index);
        SetMenuChecks();
        {
            const QSignalBlocker quiet(Combo3);
            Combo3->setCurrentIndex(index);
        }
        Combo3_Click();
        SDList();
        ApplySetting();
    });
}

}  // namespace vu
