#pragma once
// Where the file dialogs for the user's own files open: in the folder of the
// last file of the same kind (kept in the settings, so in "Default.cfg"),
// else in the documents or home folder (platform::DocumentFolder). The
// program folder, read-only once installed, is never offered to save in.
#include <filesystem>

namespace zu {

enum class DocumentKind { Chart, Picture, Catalog, Pdf };

// The folder the dialog for that kind of file opens in.
std::filesystem::path DocumentFolderFor(DocumentKind kind);

// Keeps the folder of `file`, just opened or written, for the next dialog of
// that kind.
void RememberDocumentFolder(DocumentKind kind, const std::filesystem::path& file);

}  // namespace zu
