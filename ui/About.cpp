#include "ui/About.h"

#include <iterator>
#include <system_error>

#include "platform/Services.h"

namespace ui {

std::string AboutText(const std::filesystem::path& documentation) {
    const std::string lines[] = {
        "zu " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
            std::to_string(kVersionRevision),
        "",
        "이 프로그램은 성경(星鏡)에 그려진 우리 별자리를 ",
        "표시해 주는 프로그램입니다.",
        "",
        "아직 완성되지 않은 프로그램입니다. 많은 제안 기",
        "다리겠습니다.",
        "",
        "설명서: " + documentation.string(),
        std::string("만든 이: ") + kDeveloper,
    };
    std::string text = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i) text += "\r\n" + lines[i];
    return text;
}

std::filesystem::path DocumentationPage() {
    return platform::Env().folders->DocumentationFolder() / kDocumentationFile;
}

void OpenDocumentation() {
    const std::filesystem::path page = DocumentationPage();
    std::error_code error;
    if (!std::filesystem::is_regular_file(page, error)) {
        platform::MsgBox("설명서 파일을 찾을 수 없습니다: " + page.string(), platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation);
        return;
    }
    if (!platform::Env().shell->Open(page.string()))
        platform::MsgBox("설명서를 웹 브라우저로 열 수 없습니다. 이 파일을 직접 여십시오:\r\n" + page.string(),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

}  // namespace ui
