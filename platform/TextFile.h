#pragma once
// Whole-file text I/O. Korean text files are code page 949 on disk and UTF-8
// in memory. Writes are atomic: the text goes to a temporary file in the same
// folder, is flushed to disk and then renamed over the target, so a crash or a
// full disk leaves either the old file or the new one, never half of one.
// Qt-free, so the computing libraries and both programs can use it.
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// Converts between UTF-8 and code page 949. Characters code page 949 cannot
// hold become '?'; invalid input bytes become U+FFFD (or '?' on the way out).
std::string Utf8ToCp949(const std::string& utf8);
std::string Cp949ToUtf8(const std::string& cp949);
// True when code page 949 holds every character of the UTF-8 text.
bool FitsCp949(const std::string& utf8);

// The whole file as raw bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// The whole file decoded from code page 949; nullopt when it cannot be read.
std::optional<std::string> ReadTextFileCp949(const std::filesystem::path& path);

// Atomic whole-file writes. Return false (and leave any old file untouched)
// when the file cannot be written; never report a failed write as done.
bool WriteFileBytesAtomic(const std::filesystem::path& path, const std::string& bytes);
bool WriteTextFileCp949(const std::filesystem::path& path, const std::string& utf8);

// Test hook: when set, an atomic write fails after writing this many bytes of
// the temporary file, as a full disk or a crash would. -1 disables it.
void SetWriteFailureAfterBytesForTest(long long bytes);
// Test hook: when set, called in an atomic write once the temporary file is
// written and synced, just before it is renamed over the target (a test
// kills the process there). nullptr disables it.
void SetBeforeRenameHookForTest(void (*hook)());

}  // namespace platform
