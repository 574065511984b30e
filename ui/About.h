#pragma once
// What the package says about itself: its version, the About text and its
// documentation. The version is the one project version of the build.
#include <filesystem>
#include <string>

namespace ui {

// The package is "zu <major>.<minor>.<patch>".
inline constexpr int kVersionMajor = ZU_VERSION_MAJOR;
inline constexpr int kVersionMinor = ZU_VERSION_MINOR;
inline constexpr int kVersionRevision = ZU_VERSION_PATCH;

inline constexpr const char* kDeveloper = "zu 개발자 모임";

inline constexpr const char* kAboutTitle = "zu";

// The documentation installed with the programs: the README as an HTML page
// in the documentation folder (platform::Folders::DocumentationFolder).
inline constexpr const char* kDocumentationFile = "README.html";

// The About text, lines joined by CR LF; `documentation` is the page the
// home-page command opens.
std::string AboutText(const std::filesystem::path& documentation);

// The documentation page of this installation.
std::filesystem::path DocumentationPage();

// The home-page command of both programs: opens the documentation page in the
// browser through the shell seam; a missing page, or one the desktop cannot
// open, is named in a message.
void OpenDocumentation();

}  // namespace ui
