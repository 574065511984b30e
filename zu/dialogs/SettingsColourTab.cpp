// The colour and font tab of the settings window: line colours, grid-label
// fonts, layer label styles, sky, ground, finder-circle and star colours,
// each shown by its label on black and edited through the colour or font
// dialog. A caption whose colour is too dark (or too light) to read on the
// tab's background stands on a backing of its own.
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <functional>

#include "chart/ChartState.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "skydata/Settings.h"
#include "ui/ToolControls.h"
#include "zu/core/MainState.h"
#include "zu/dialogs/SettingsWindow.h"

namespace zu {
namespace {

constexpr int kColourFrame = 1;
constexpr int kLeft = 1, kRight = 2;
constexpr const char* kLineCaptions[13] = {"지평선(NS)", "지평좌표(A10)", "적도좌표(A10)", "황도", "은하적도",
                                           "서양 별자리선", "동양 별자리선", "천상열차분야지도", "은하수",
                                           "별자리 경계선", "우리 별자리(항현권, 입수도)", "하늘/지면 색상", "별색"};
constexpr const char* kNameCaptions[11] = {"서양별자리 이름", "동양별자리 이름", "천상열차분야지도 이름",
                                           "서양 별이름", "동양 별이름", "혜성", "소행성", "행성",
                                           "별기호, 번호", "기(성운,성단)", "궤적 그리기"};
constexpr const char* kSkyCaptions[6] = {"■ 밤", "■ 천문박명(-15~-18도)", "■ 천문박명(-12~-15도)", "■ 항해박명",
                                         "■ 시민박명", "■ 낮"};
constexpr const char* kStarCaptions[7] = {"■ O", "■ B", "■ A", "■ F", "■ G", "■ K", "■ M"};

QColor ToQColor(std::int32_t colour) {
    const auto c = static_cast<platform::Colour>(colour);
    return QColor(platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c));
}

void SetTextColour(QLabel* label, std::int32_t colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(palette);
}

void SetBorderColour(QFrame* frame, std::int32_t colour) {
    const QColor c = ToQColor(colour);
    frame->setStyleSheet(QString("border: 2px solid %1;").arg(c.name()));
}

// Relative luminance of a colour (WCAG 2: sRGB channels made linear, then
// weighted), 0 for black to 1 for white.
double Luminance(const QColor& c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

// Contrast ratio of two colours, 1 (the same) to 21 (black on white).
double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast that normal-sized text needs to be read (WCAG 2, level AA).
constexpr double kReadableContrast = 4.5;

// Every caption of the tab readable: one whose text colour stands out too
// little from the tab's background gets a backing of black or white,
// whichever stands out more (one of them always reaches the contrast), as
// wide as its text; the text keeps its colour, which is the value it shows.
void KeepCaptionsReadable(QWidget& frame) {
    constexpr const char* kLaidOutWidth = "laidOutWidth";
    const QColor background = frame.palette().color(QPalette::Window);
    for (QWidget* caption : frame.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<QLabel*>(caption) && !qobject_cast<QCheckBox*>(caption)) continue;
        if (!caption->property(kLaidOutWidth).isValid()) caption->setProperty(kLaidOutWidth, caption->width());
        const int laid_out_width = caption->property(kLaidOutWidth).toInt();
        const QColor text = caption->palette().color(QPalette::WindowText);
        const bool readable = Contrast(text, background) >= kReadableContrast;
        if (!readable) {
            QPalette palette = caption->palette();
            palette.setColor(QPalette::Window,
                             Contrast(text, Qt::white) >= Contrast(text, Qt::black) ? Qt::white : Qt::black);
            caption->setPalette(palette);
        }
        caption->setAutoFillBackground(!readable);
        caption->resize(readable ? laid_out_width : std::min(laid_out_width, caption->sizeHint().width()),
                        caption->height());
    }
}

void SetLabelFont(QLabel* label, const skydata::FontStyle& style) {
    QFont font(QString::fromUtf8(style.FontName));
    font.setPointSize(std::max(1, style.FontSize_pt));
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    label->setFont(font);
}

// A label that reports its clicks (left button) and its mouse-ups by button.
class ClickLabel final : public QLabel {
public:
    ClickLabel(const char* caption, QWidget* parent) : QLabel(QString::fromUtf8(caption), parent) {}
    std::function<void()> clicked;
    std::function<void(int)> mouse_up;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        const int button = event->button() == Qt::LeftButton ? kLeft : event->button() == Qt::RightButton ? kRight : 0;
        if (button == kLeft && clicked && rect().contains(event->position().toPoint())) platform::Guard(clicked);
        if (mouse_up) platform::Guard([this, button] { mouse_up(button); });
        QLabel::mouseReleaseEvent(event);
    }
};

}  // namespace

void FrmSet::BuildColourTab() {
    QGroupBox* frame = Frame1[kColourFrame];
    frame->setAutoFillBackground(true);
    auto label = [frame](const char* caption, const char* name, int index, int x, int y, int width) {
        auto* l = new ClickLabel(caption, frame);
        l->setObjectName(index >= 0 ? ui::IndexedName(name, index) : QString::fromUtf8(name));
        l->setGeometry(x, y, width, 20);
        return l;
    };
    for (int i = 0; i < 11; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const int y = 20 + 19 * i;
        LnColor[n] = ui::Named(new QFrame(frame), "LnColor", i);
        LnColor[n]->setGeometry(10, y + 9, 30, 3);
        auto* l = label(kLineCaptions[i], "LblLine", i, 46, y, 170);
        l->clicked = [this, i] { LblLine_Click(i); };
        l->mouse_up = [this, i](int button) { LblLine_MouseUp(i, button); };
        LblLine[n] = l;
        auto* name = label(kNameCaptions[i], "LblName", i, 226, y, 200);
        name->mouse_up = [this, i](int button) { LblName_MouseUp(i, button); };
        LblName[n] = name;
    }
    for (int i = 11; i < 13; ++i) {
        auto* heading = label(kLineCaptions[i], "LblLine", i, i == 11 ? 10 : 170, 232, 120);
        heading->clicked = [this, i] { LblLine_Click(i); };
        LblLine[static_cast<std::size_t>(i)] = heading;
    }
    for (int i = 0; i < 6; ++i) {
        auto* l = label(kSkyCaptions[i], "LblSky", i, 10 + 140 * (i % 3), 252 + 18 * (i / 3), 140);
        l->clicked = [this, i] { LblSky_Click(i); };
        LblSky[static_cast<std::size_t>(i)] = l;
    }
    auto* ground = label("■ 지면", "LGROUND", -1, 10, 292, 70);
    ground->clicked = [this] { LGROUND_Click(); };
    LGROUND = ground;
    ShpFind = ui::Named(new QFrame(frame), "ShpFind");
    ShpFind->setGeometry(80, 295, 14, 14);
    auto* find = label("탐색원", "LblFind", -1, 98, 292, 60);
    find->clicked = [this] { LblFind_Click(); };
    LblFind = find;
    for (int i = 0; i < 7; ++i) {
        auto* l = label(kStarCaptions[i], "LblStar", i, 170 + 38 * i, 292, 36);
        l->clicked = [this, i] { LblStar_Click(i); };
        LblStar[static_cast<std::size_t>(i)] = l;
    }
    auto* note = ui::Named(new QLabel(QString::fromUtf8(
                           "글꼴 설정에서는 마우스 왼쪽 클릭이 글꼴 설정, 오른쪽 클릭이 색상 설정입니다. "),
                           frame),
                       "Label1", 14);
    note->setWordWrap(true);
    note->setGeometry(10, 310, 420, 18);
    Check1 = ui::Named(new QCheckBox(QString::fromUtf8("배경을 하늘색으로.."), frame), "Check1");
    Check1->setToolTip(QString::fromUtf8(
        "색상 설정 창의 배경을 지금의 하늘색으로 바꿉니다. 설정 내용에는 아무런 영향을 미치지 않습니다."));
    Check1->setGeometry(300, 230, 136, 20);
    for (QLabel* l : LblLine) SetTextColour(l, 0xFFFFFF);
    connect(Check1, &QCheckBox::toggled, this, [this] { platform::Guard([this] { Check1_Click(); }); });
    Check1_Click();
}

void FrmSet::LoadColourTab() {
    const skydata::StyleTables& styles = skydata::StartupTables().Styles;
    const skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    LineColours = styles.LineColorTable;
    GridFonts = styles.GridFontTable;
    LayerStyles = styles.LayerStyle;
    GroundColour = s.groundcol;
    for (std::size_t i = 0; i < SkyColours.size(); ++i) SkyColours[i] = styles.TwilightColors[i];
    FinderColour = s.findcolor;
    for (std::size_t i = 0; i < StarColours.size(); ++i) StarColours[i] = styles.SpectralColors[i];
    ShowColourTab();
}

void FrmSet::ShowColourTab() {
    for (std::size_t i = 0; i < LnColor.size(); ++i) SetBorderColour(LnColor[i], LineColours[i]);
    for (std::size_t i = 0; i < GridFonts.size(); ++i) {
        SetLabelFont(LblLine[i], GridFonts[i]);
        SetTextColour(LblLine[i], LineColours[i]);
    }
    SetTextColour(LGROUND, GroundColour);
    for (std::size_t i = 0; i < LblName.size(); ++i) {
        SetLabelFont(LblName[i], LayerStyles[i]);
        SetTextColour(LblName[i], LayerStyles[i].Color);
    }
    for (std::size_t i = 0; i < LblSky.size(); ++i) SetTextColour(LblSky[i], SkyColours[i]);
    SetBorderColour(ShpFind, FinderColour);
    SetTextColour(LblFind, 0xFFFFFF);
    for (std::size_t i = 0; i < LblStar.size(); ++i) SetTextColour(LblStar[i], StarColours[i]);
    KeepCaptionsReadable(*Frame1[kColourFrame]);
}

void FrmSet::ApplyColourTab() {
    skydata::StyleTables& styles = skydata::StartupTables().Styles;
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    s.groundcol = GroundColour;
    styles.LineColorTable = LineColours;
    AppState().MilkyWayColors = {LineColours[8], LineColours[9]};
    for (std::size_t i = 0; i < SkyColours.size(); ++i) styles.TwilightColors[i] = SkyColours[i];
    s.findcolor = FinderColour;
    for (std::size_t i = 0; i < GridFonts.size(); ++i) {
        styles.GridFontTable[i] = GridFonts[i];
        styles.GridFontTable[i].Color = LineColours[i];
    }
    styles.LayerStyle = LayerStyles;
    for (std::size_t i = 0; i < StarColours.size(); ++i) styles.SpectralColors[i] = StarColours[i];
}

bool FrmSet::PickColour(std::int32_t& colour) {
    const std::optional<platform::Colour> chosen =
        platform::Env().colours->Show(static_cast<platform::Colour>(colour), "");
    if (!chosen) return false;
    colour = static_cast<std::int32_t>(*chosen);
    return true;
}

bool FrmSet::PickFont(skydata::FontStyle& style) {
    platform::FontSpec initial;
    initial.name = style.FontName;
    initial.size_pt = style.FontSize_pt;
    initial.bold = style.Bold;
    initial.italic = style.Italic;
    const std::optional<platform::FontSpec> chosen = platform::Env().fonts->Show(initial, "");
    if (!chosen) return false;
    style.FontName = chosen->name;
    // Sizes are whole points; a half rounds to even.
    style.FontSize_pt = static_cast<std::int32_t>(std::nearbyint(chosen->size_pt));
    style.Italic = chosen->italic;
    style.Bold = chosen->bold;
    return true;
}

void FrmSet::LblLine_Click(int index) {
    if (index < 3 || index > 10) return;
    if (PickColour(LineColours[static_cast<std::size_t>(index)])) ShowColourTab();
}

void FrmSet::LblLine_MouseUp(int index, int button) {
    if (index < 0 || index > 2) return;
    const auto n = static_cast<std::size_t>(index);
    if (button == kLeft && PickFont(GridFonts[n])) ShowColourTab();
    if (button == kRight && PickColour(LineColours[n])) ShowColourTab();
}

void FrmSet::LblName_MouseUp(int index, int button) {
    skydata::FontStyle& style = LayerStyles[static_cast<std::size_t>(index)];
    if (button == kLeft && PickFont(style)) ShowColourTab();
    if (button == kRight && PickColour(style.Color)) ShowColourTab();
}

void FrmSet::LblSky_Click(int index) {
    if (PickColour(SkyColours[static_cast<std::size_t>(index)])) ShowColourTab();
}

void FrmSet::LblStar_Click(int index) {
    if (PickColour(StarColours[static_cast<std::size_t>(index)])) ShowColourTab();
}

void FrmSet::LGROUND_Click() {
    if (PickColour(GroundColour)) ShowColourTab();
}

void FrmSet::LblFind_Click() {
    if (PickColour(FinderColour)) ShowColourTab();
}

void FrmSet::Check1_Click() {
    QGroupBox* frame = Frame1[kColourFrame];
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window,
                     Check1->isChecked() ? ToQColor(static_cast<std::int32_t>(chart::Chart().SkyBackColor)) : Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    frame->setPalette(palette);
    KeepCaptionsReadable(*frame);
}

}  // namespace zu
