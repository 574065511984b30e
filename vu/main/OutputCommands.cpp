#include "vu/main/OutputCommands.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "calendar/CalendarState.h"
#include "platform/Services.h"
#include "platform/TextFile.h"
#include "ui/ToolControls.h"
#include "vu/grid/HtmlPage.h"
#include "vu/grid/MonthPage.h"
#include "vu/grid/PrintedMonth.h"
#include "vu/grid/Templet.h"
#include "vu/main/Form1.h"
#include "vu/main/VuWidgets.h"

namespace vu {
namespace {

constexpr const char* kTitle = "vu";
constexpr const char* kTempletFilter = "HTML 문서(*.htm)|*.htm|XML 문서(*.xml)|*.xml|모든 파일(*.*)|*.*";

std::string FullName(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return (ec ? path : full).string();
}

void Info(const std::string& text) {
    platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Information, kTitle);
}

void Saved(const std::filesystem::path& path) { Info("vu을 " + FullName(path) + " 파일로 저장했습니다."); }

// The month field to the nearest whole number; false for one outside 1..12,
// which no output can show.
bool FieldMonth(const Form1& form, int& month) {
    const double value = std::nearbyint(app::BoxNumber(form.txtMN));
    if (!(value >= 1 && value <= 12)) return false;
    month = static_cast<int>(value);
    return true;
}

std::optional<std::filesystem::path> AskSave(const std::string& title, const std::string& filter,
                                             const std::string& name) {
    platform::FileRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.title = title;
    request.filter = filter;
    request.folder = platform::Env().folders->UserFolder();
    request.name = name;
    const std::optional<platform::FileChoice> choice = platform::Env().files->Show(request);
    if (!choice || choice->path.empty()) return std::nullopt;
    return choice->path;
}

}  // namespace

void SaveCalendarHtml(Form1& form) {
    form.ReadFormSettings();
    CalendarState& state = Calendar();
    const int year = state.CalYear;
    int month = 0;
    if (!FieldMonth(form, month)) return;
    const std::string page = MakeHtmlCalendar(state, year, month, VuCaption());
    const std::optional<std::filesystem::path> path = AskSave("vu 저장하기", "HTML 문서(*.htm)|*.htm",
                                                              HtmlFileName(year, month));
    if (!path || !platform::WriteTextFileCp949(*path, page)) return;
    Saved(*path);
}

void SaveCalendarBmp(Form1& form) {
    const int year = Calendar().CalYear;
    int month = 0;
    if (!FieldMonth(form, month)) return;
    const std::string name = "vu" + EraYearText(year, 4) + "년" + std::to_string(month) + "월.bmp";
    const std::optional<std::filesystem::path> path =
        AskSave("그림으로 vu 저장하기", "BMP 그림 파일(*.bmp)|*.bmp", name);
    if (!path) return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!form.Grid->Surface().Image().save(&buffer, "BMP")) return;
    if (!platform::WriteFileBytesAtomic(*path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return;
    Saved(*path);
}

void PrintCommand(Form1& form) {
    platform::PrintDialog& printing = *platform::Env().printing;
    const std::optional<platform::PrintChoice> choice = printing.Show("");
    if (!choice || choice->copies < 1) return;
    const auto print_page = [&form](platform::Surface& page) {
        form.ReadFormSettings();
        int month = 0;
        if (!FieldMonth(form, month)) return false;
        PrintCalendar(page, Calendar(), Calendar().CalYear, month);
        return true;
    };
    if (!choice->pdf.empty()) {
        // Into a PDF file the copies are the pages of one document.
        const std::unique_ptr<platform::PrintDocument> document =
            printing.StartDocument(platform::PrintTarget{"", choice->pdf, choice->landscape});
        if (!document) return;
        for (int copy = 1; copy <= choice->copies; ++copy) {
            if (copy > 1 && !document->NewPage()) return;
            if (!print_page(document->Page())) return;
        }
        document->End();
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
    CalendarState& state = Calendar();
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
    const std::optional<std::string> templet = platform::ReadTextFileCp949(chosen->path);
    if (!templet) return;
    const std::string result = ApplyTemplet(state, year, month, *templet);
    Info("파일 저장 창이 열리면 저장할 vu 파일의 이름을 지정해주세요.");
    const std::optional<std::filesystem::path> path =
        AskSave("vu 문서 파일 저장", kTempletFilter, TempletResultName(year, month));
    if (!path || !platform::WriteTextFileCp949(*path, result)) return;
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
