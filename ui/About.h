#pragma once
// What the program says about itself: its version, the About text and the
// project's addresses. The addresses are set here and nowhere else.
#include <string>

namespace app {

// The program is "zu 0.<minor>.<revision>".
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 0;

// The project's home page and contact lines.
inline constexpr const char* kHomePageAddress = "https://zu.example.org/";
inline constexpr const char* kContactMail = "zu@example.org";
inline constexpr const char* kDeveloper = "zu 개발자 모임";

inline constexpr const char* kAboutTitle = "zu";

// The About text, lines joined by CR LF.
std::string AboutText();

}  // namespace app
