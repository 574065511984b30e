#include "vu/main/OutputCommands.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "calendar/CalendarState.h"
#include "platform/SaveName.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "skydata/ConfigStore.h"
#include "ui/ToolControls.h"
#include "vu/grid/HtmlPage.h"
#include "vu/grid/MonthGrid.h"
#include "vu/grid/MonthPage.h"
#include "vu/grid/PrintedMonth.h"
#include "vu/grid/Templet.h"
#include "vu/main/Form1.h"
#include "vu/main/VuWidgets.h"

namespace vu {
namespace {

constexpr const char* kTitle = "vu";
constexpr const char* kTempletFilter = "HTML 문서(*.htm)|*.htm|XML 문서(*.xml)|*.xml|모든 파일(*.*)|*.*";

void Info(const std::string& text) {
    platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Information, kTitle);
}

void Saved(const std::filesystem::path& path) { Info(VuObject() + " " + platform::FullName(path) + " 파일로 저장했습니다."); }

// A save that did not happen is said so; nothing was written.
void NotSaved(const std::filesystem::path& path) {
    platform::MsgBox(platform::FullName(path) + " 파일을 저장하지 못했습니다. 폴더가 있는지, 쓸 수 있는지 확인해 주세요.",
                     platform::MsgButtons::Ok, platform::MsgIcon::Critical, kTitle);
}

// The month field to the nearest whole number; false for one outside 1..12,
// which no output can show.
bool FieldMonth(const Form1& form, int& month) {
    const double value = std::nearbyint(ui::BoxNumber(form.txtMN));
    if (!(value >= 1 && value <= 12)) return false;
    month = static_cast<int>(value);
    return true;
}

// The file to save to: a name typed without an extension gets `extension`
// (empty: the filter's), and a file already there is replaced only when the
// user says so.
std::optional<std::filesystem::path> AskSave(const Form1& form, SaveKind kind, const std::string& title,
                                             const std::string& filter, const std::string& name,
                                             int filter_index = 1, const std::string& extension = "") {
    platform::FileRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.title = title;
    request.filter = filter;
    request.folder = form.SavedFolders.For(kind);
    request.name = name;
    request.filter_index = filter_index;
    request.extension = extension;
    const std::optional<platform::FileChoice> choice = platform::ChooseSaveFile(request);
    if (!choice) return std::nullopt;
    return choice->path;
}

bool IsMarkupExtension(const std::string& extension) {
    const std::string e = skydata::LowerAscii(extension);
    return e == ".htm" || e == ".html" || e == ".xml" || e == ".xhtml";
}

// The filter pair of the template's kind: 1 HTML, 2 XML, 3 any file.
int TempletFilterIndex(const std::string& extension) {
    const std::string e = skydata::LowerAscii(extension);
    return e == ".htm" ? 1 : e == ".xml" ? 2 : 3;
}

// The saved picture: the month's title above the grid.
constexpr int kPictureTitleHeight = 40;
constexpr int kSmallestPictureWidth = 490;
constexpr int kSmallestPictureHeight = 300;

QImage MonthPictureForFile(const Form1& form, int year, int month) {
    const QImage& screen = form.Grid->Surface().Image();
    const int width = std::max(screen.width(), kSmallestPictureWidth);
    const int grid_height = std::max(screen.height(), kSmallestPictureHeight);
    // Drawn afresh with cells of its own: no day is today in a saved month,
    // and the screen's tips stay as they are.
    platform::ImageSurface grid(width, grid_height);
    MonthCells cells;
    DrawCalendar(grid, calendar::Calendar(), year, month, 0, cells);
    QImage picture(width, grid_height + kPictureTitleHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const calendar::CalFontSlot& slot = calendar::Calendar().fonts[0];
    QFont font(QString::fromStdString(slot.name));
    font.setPixelSize(kPictureTitleHeight * 3 / 5);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, width, kPictureTitleHeight), Qt::AlignCenter,
                     QString::fromStdString(MonthTitle(year, month)));
    painter.drawImage(0, kPictureTitleHeight, grid.Image());
    painter.end();
    return picture;
}

}  // namespace

void SaveCalendarHtml(Form1& form) {
    form.ReadFormSettings();
    calendar::CalendarState& state = calendar::Calendar();
    const int year = state.CalYear;
    int month = 0;
    if (!FieldMonth(form, month)) return;
    const std::string page = MakeHtmlCalendar(state, year, month, VuCaption());
    const std::optional<std::filesystem::path> path =
        AskSave(form, SaveKind::Html, "vu 저장하기", "HTML 문서(*.htm)|*.htm", HtmlFileName(year, month));
    if (!path) return;
    if (!platform::WriteTextFileCp949(*path, page)) return NotSaved(*path);
    form.SavedFolders.Remember(SaveKind::Html, *path);
    Saved(*path);
}

void SaveCalendarBmp(Form1& form) {
    const int year = calendar::Calendar().CalYear;
    int month = 0;
    if (!FieldMonth(form, month)) return;
    const std::string name = MonthFileName(year, month, ".bmp");
    const std::optional<std::filesystem::path> path =
        AskSave(form, SaveKind::Bmp, "그림으로 vu 저장하기", "BMP 그림 파일(*.bmp)|*.bmp", name);
    if (!path) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!MonthPictureForFile(form, year, month).save(&buffer, "BMP") ||
        !platform::WriteFileBytesAtomic(*path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return NotSaved(*path);
    form.SavedFolders.Remember(SaveKind::Bmp, *path);
    Saved(*path);
}

void PrintCommand(Form1& form) {
    platform::PrintDialog& printing = *platform::Env().printing;
    int shown_month = 0;
    const std::string name =
        FieldMonth(form, shown_month) ? MonthFileName(calendar::Calendar().CalYear, shown_month, ".pdf") : "vu.pdf";
    const std::optional<platform::PrintChoice> choice =
        printing.ShowSuggesting("", form.SavedFolders.For(SaveKind::Pdf) / name);
    if (!choice || choice->copies < 1) return;
    const auto print_page = [&form](platform::Surface& page) {
        form.ReadFormSettings();
        int month = 0;
        if (!FieldMonth(form, month)) return false;
        PrintCalendar(page, calendar::Calendar(), calendar::Calendar().CalYear, month);
        return true;
    };
    if (!choice->pdf.empty()) {
        // A name typed without ".pdf" gets it; the dialog asked about the
        // name as typed, so the completed one is asked about here.
        const std::filesystem::path pdf = platform::CompleteSaveName(choice->pdf, ".pdf");
        if (const std::string refusal = platform::NameRefusal(pdf); !refusal.empty()) {
            platform::MsgBox(refusal, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, kTitle);
            return;
        }
        if (pdf != choice->pdf && !platform::MayReplace(pdf, kTitle)) return;
        // Into a PDF file the copies are the pages of one document.
        const std::unique_ptr<platform::PrintDocument> document =
            printing.StartDocument(platform::PrintTarget{"", pdf, choice->landscape});
        if (!document) return;
        for (int copy = 1; copy <= choice->copies; ++copy) {
            if (copy > 1 && !document->NewPage()) return;
            if (!print_page(document->Page())) return;
        }
        if (document->End()) form.SavedFolders.Remember(SaveKind::Pdf, pdf);
        return;
    }
    for (int copy = 1; copy <= choice->copies; ++copy) {
        const std::unique_ptr<platform::PrintDocument> document =
            printing.StartDocument(platform::PrintTarget{choice->printer, "", choice->landscape});
        if (!document || !print_page(document->Page()) || !document->End()) return;
    }
}

std::filesystem::path TempletFolder() {
    const std::filesystem::path user = platform::Env().folders->UserFolder() / "Templet";
    std::error_code ec;
    if (std::filesystem::is_directory(user, ec)) return user;
    return platform::Env().folders->ProgramFolder() / "Templet";
}

void TempletCommand(Form1& form) {
    form.ReadFormSettings();
    calendar::CalendarState& state = calendar::Calendar();
    const int year = state.CalYear;
    int month = 0;
    if (!FieldMonth(form, month)) return;
    Info("파일 열기 창이 열리면 형식 파일을 지정해주세요.");
    platform::FileRequest open;
    open.kind = platform::FileDialogKind::Open;
    open.title = "vu 형식 문서 파일 찾기";
    open.filter = kTempletFilter;
    open.folder = TempletFolder();
    const std::optional<platform::FileChoice> chosen = platform::Env().files->Show(open);
    if (!chosen) return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(chosen->path, ec)) {
        platform::MsgBox("파일이 없습니다. 형식 파일을 정확히 지정해주시기 바랍니다.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, kTitle);
        return;
    }
    // A template is read whole: one beyond what a result may hold is not read.
    const std::string megabytes = std::to_string(kLargestTempletResult / (1024 * 1024)) + "MB";
    const std::uintmax_t size = std::filesystem::file_size(chosen->path, ec);
    if (!ec && size > kLargestTempletResult) {
        platform::MsgBox(platform::FullName(chosen->path) + " 파일은 " + megabytes + "보다 커서 형식 파일로 쓸 수 없습니다.",
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical, kTitle);
        return;
    }
    const std::optional<std::string> templet = platform::ReadTextFileCp949(chosen->path);
    if (!templet) {
        platform::MsgBox(platform::FullName(chosen->path) + " 파일을 읽지 못했습니다. 형식 파일을 정확히 지정해주시기 바랍니다.",
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical, kTitle);
        return;
    }
    // The result is a document of the template's kind: its extension, and
    // in HTML or XML the values written as text.
    const std::string extension = chosen->path.extension().string();
    const bool markup = IsMarkupExtension(extension);
    const std::optional<std::string> result = ApplyTemplet(state, year, month, *templet, markup);
    if (!result) {
        platform::MsgBox("형식 문서를 채운 결과가 " + megabytes + "를 넘어 저장하지 않습니다.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, kTitle);
        return;
    }
    Info("파일 저장 창이 열리면 저장할 vu 파일의 이름을 지정해주세요.");
    const std::optional<std::filesystem::path> path =
        AskSave(form, SaveKind::Templet, "vu 문서 파일 저장", kTempletFilter, TempletResultName(year, month) + extension,
                TempletFilterIndex(extension), extension);
    if (!path) return;
    if (!platform::WriteTextFileCp949(*path, *result)) return NotSaved(*path);
    form.SavedFolders.Remember(SaveKind::Templet, *path);
    Saved(*path);
}

void ConnectOutputs(Form1& form) {
    Form1::OutputHooks& hooks = form.Hooks;
    hooks.SaveHtml = [&form] { SaveCalendarHtml(form); };
    hooks.SaveBmp = [&form] { SaveCalendarBmp(form); };
    hooks.Print = [&form] { PrintCommand(form); };
    hooks.Templet = [&form] { TempletCommand(form); };
}

}  // namespace vu
