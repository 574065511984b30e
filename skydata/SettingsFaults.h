#pragma once
// What both programs do with a settings file that loaded with faults (values
// that could not be used, and so took their defaults): the message that
// names them, and the numbered backup that keeps the file as it was before
// the first write over it. "Default.cfg" of the sky chart and "CalConfig.cfg"
// and .cal files of the calendar share them.
#include <filesystem>
#include <string>
#include <vector>

namespace skydata {

// The first sentence of a message about values replaced by their defaults.
inline constexpr const char* kDefaultedValuesSentence =
    "설정 파일에서 읽을 수 없거나 범위를 벗어난 값을 기본값으로 바꾸었습니다.";

// The names of the fields of a message, each once, joined by ", ": at most
// `shown` of them, then "외 n개" for the rest.
std::string FieldNameList(const std::vector<std::string>& names, std::size_t shown = 8);

// The backup a write over the file keeps it as: "<name>.bak", or when that
// holds something else "<name>.bak2", "<name>.bak3" and so on, the first that
// is free or already holds the file's bytes. A backup is never replaced.
// Empty when every number up to .bak999 is taken.
std::filesystem::path SettingsBackupFile(const std::filesystem::path& file);

// The sentence that tells where the file is kept before the first write
// over it ("" when no backup name is free).
std::string BackupSentence(const std::filesystem::path& file);

// Keeps the file's bytes as its backup (SettingsBackupFile) unless that
// backup already holds them. True when the file is kept or is not there;
// false when it cannot be kept (then nothing may be written over it).
bool KeepSettingsBackup(const std::filesystem::path& file);

}  // namespace skydata
