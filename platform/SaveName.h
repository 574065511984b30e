#pragma once
// The name a save ends at. A name typed without an extension gets the kind's
// (".cal", ".SKY", the chosen picture format's), so the open dialog's filter
// lists the file later; a name typed with one is kept. Before a file already
// there is replaced the user is asked, with "아니요" the default answer.
// Qt-free: every save of both programs goes through ChooseSaveFile, with the
// scripted doubles in tests.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Services.h"

namespace platform {

// `typed` with `extension` (".cal", with its dot) added when its file name
// has none; a name ending in dots ("chart.") loses them first. A name with
// an extension of any kind or letter case is kept as it is; the folders
// (".config") do not count. `extension` empty, or no file name: unchanged.
std::filesystem::path CompleteSaveName(const std::filesystem::path& typed, const std::string& extension);

// The extension a save of `request` adds when the filter pair `filter_index`
// (from 1; another number counts as the first) is in force:
// request.extension when set, else that pair's (its single pattern "*.EXT";
// "*.*" and lists of patterns have none). Empty when none is known.
std::string SaveExtension(const FileRequest& request, int filter_index);

// The question before `path` is replaced; true when the user says "예" or
// nothing is there. Links count as files, a dangling one too; a folder is
// not asked about (no save replaces one).
bool MayReplace(const std::filesystem::path& path, const std::string& title);

// Why `path` must not be handed to a writer that opens files by name (the
// print dialog's file check, the PDF engine): a message naming it when a
// link (a dangling one too), a folder, a pipe or a device stands there, as
// opening it would follow the link, create a file where it points or wait
// on the pipe. Empty when nothing is there or a regular file, which the save
// replaces.
std::string NameRefusal(const std::filesystem::path& path);

// The save dialog of `request` (its kind is taken as Save): the chosen name
// completed by CompleteSaveName with SaveExtension, and, when a file is
// already there, MayReplace; "아니요" shows the dialog again at that name.
// nullopt when the user cancelled.
std::optional<FileChoice> ChooseSaveFile(FileRequest request);

}  // namespace platform
