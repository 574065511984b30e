#pragma once
// Whole-file text I/O. Korean text files are code page 949 on disk and UTF-8
// in memory. Writes are atomic: the text goes to a temporary file in the same
// folder, is flushed to disk and then renamed over the target, so a crash or a
// full disk leaves either the old file or the new one, never half of one.
// Qt-free, so the computing libraries and both programs can use it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Converts between UTF-8 and code page 949. Characters code page 949 cannot
// hold become '?'; invalid input bytes become U+FFFD (or '?' on the way out).
std::string Utf8ToCp949(const std::string& utf8);
std::string Cp949ToUtf8(const std::string& cp949);
// True when code page 949 holds every character of the UTF-8 text.
bool FitsCp949(const std::string& utf8);
// True when the bytes are code page 949 text that decodes without loss.
bool IsCp949(const std::string& bytes);
// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates,
// nothing beyond U+10FFFF).
bool IsUtf8(std::string_view bytes);
// The text of a file meant to be code page 949 that may have been saved as
// UTF-8 by another editor. Bytes that are code page 949 are decoded from it;
// otherwise bytes that are UTF-8 are taken as they are (a leading byte-order
// mark dropped); otherwise each line is decoded by itself the same way, so a
// code page 949 file with a few UTF-8 lines reads right, and a line that is
// neither is decoded from code page 949 with U+FFFD for what it cannot read.
std::string DecodeCp949OrUtf8(const std::string& bytes);

// The whole file as raw bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// The whole file decoded from code page 949; nullopt when it cannot be read.
std::optional<std::string> ReadTextFileCp949(const std::filesystem::path& path);

// Atomic whole-file writes. Return false (and leave any old file untouched)
// when the file cannot be written; never report a failed write as done.
bool WriteFileBytesAtomic(const std::filesystem::path& path, const std::string& bytes);
bool WriteTextFileCp949(const std::filesystem::path& path, const std::string& utf8);

// A new file for a writer that opens files by name itself (the printer's PDF
// engine), made in the folder of `target` and put at the target's name only
// by Commit. Until then it has no name, so a crash or a kill while it is
// written leaves nothing behind; on a file system without unnamed files it
// has a fresh random name beside the target, created exclusively and removed
// when the file is dropped (after a crash, by the next save of the target).
// Either way no link or file planted beside the target is ever opened.
class PendingFile {
public:
    explicit PendingFile(const std::filesystem::path& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // False when the file could not be made (no such folder, no right to write).
    bool IsOpen() const { return fd_ >= 0; }
    // The name to open the file by for writing; it reaches this file only.
    const std::filesystem::path& WriteName() const { return write_name_; }
    // Bytes written so far; 0 when the file is not open.
    long long Size() const;
    // Flushes the file to disk and renames it over the target atomically (a
    // link at the target's name is replaced, never followed). False when it
    // cannot: the target is then as it was and the file is gone.
    bool Commit();

private:
    void Drop();

    std::filesystem::path target_;
    std::filesystem::path write_name_;
    bool named_ = false;  // the random-name stand-in, not an unnamed file
    int fd_ = -1;
};

// Test hook: when set, an atomic write fails after writing this many bytes of
// the temporary file, as a full disk or a crash would. -1 disables it.
void SetWriteFailureAfterBytesForTest(long long bytes);
// Test hook: false makes pending files take the random-name stand-in, as on a
// file system without unnamed files; true restores the normal choice.
void SetUnnamedFilesForTest(bool available);
// Test hook: when set, called in an atomic write once the temporary file is
// written and synced, just before it is renamed over the target (a test
// kills the process there). nullptr disables it.
void SetBeforeRenameHookForTest(void (*hook)());

}  // namespace platform
