#include "zu/core/DocumentFolders.h"

#include <string>

#include "platform/UserFiles.h"
#include "skydata/Settings.h"

namespace zu {
namespace {

std::string& StoredFolder(DocumentKind kind) {
    skydata::SettingsSnapshot& s = skydata::CurrentSettings();
    switch (kind) {
        case DocumentKind::Chart: return s.ChartFolder;
        case DocumentKind::Picture: return s.PictureFolder;
        case DocumentKind::Catalog: return s.CatalogFolder;
        case DocumentKind::Pdf: return s.PdfFolder;
    }
    return s.ChartFolder;
}

}  // namespace

std::filesystem::path DocumentFolderFor(DocumentKind kind) {
    return platform::DocumentFolder(std::filesystem::path(StoredFolder(kind)));
}

void RememberDocumentFolder(DocumentKind kind, const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    if (!folder.empty()) StoredFolder(kind) = folder.string();
}

}  // namespace zu
