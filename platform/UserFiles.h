#pragma once
// Where user-written files live. The program folder may be read-only once
// installed, so settings and edited lists ("Default.cfg", "local.txt",
// "CalConfig.cfg") are written to the per-user folder; a copy shipped in the
// program folder is read only until the user folder has its own, so it seeds
// the first start.
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// The file to read: the user folder's copy when it exists, else the program
// folder's when that exists, else the user folder's path (missing: the reader
// falls back to its defaults).
std::filesystem::path UserFileToRead(const std::string& name);

// The folder a dialog for the user's own files (pictures, chart files,
// catalogues, printed PDF files) opens in: `last_used`, the folder of the
// last file of that kind, while it is still a folder; else the documents
// folder when it is one; else the home folder. Never the program folder,
// which may be read-only once installed. Empty when none of them is known.
std::filesystem::path DocumentFolder(const std::filesystem::path& last_used);

// The file to write: always in the user folder, which is created when
// missing. When it cannot be created the path is still returned and the
// write itself reports the failure.
std::filesystem::path UserFileToWrite(const std::string& name);

// Called once at start: removes from the user folder what saves killed half
// way left beside the files the program writes there (RemoveSaveLeftovers):
// `files`, and the backups of `settings_files`. Every other file stays.
void RemoveUserFolderLeftovers(std::initializer_list<std::string_view> files,
                               std::initializer_list<std::string_view> settings_files);

}  // namespace platform
