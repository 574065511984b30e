#include "ui/About.h"

#include <iterator>

namespace app {

std::string AboutText() {
    const std::string lines[] = {
        "zu 0." + std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision),
        "",
        "이 프로그램은 성경(星鏡)에 그려진 우리 별자리를 ",
        "표시해 주는 프로그램입니다.",
        "",
        "아직 완성되지 않은 프로그램입니다. 많은 제안 기",
        "다리겠습니다.",
        "",
        std::string("전자우편: ") + kContactMail,
        std::string("홈페이지: ") + kHomePageAddress,
        std::string("만든 이: ") + kDeveloper,
    };
    std::string text = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i) text += "\r\n" + lines[i];
    return text;
}

}  // namespace app
