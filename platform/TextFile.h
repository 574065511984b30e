#pragma once
// Whole-file text I/O. Korean text files are code page 949 on disk and UTF-8
// in memory. Writes are atomic: the bytes go to a new file of the target's
// folder (PendingFile), are flushed to disk and the file then renamed over
// the target, so a crash, a kill or a full disk leaves either the old file or
// the new one, never half of one, and nothing beside it.
// Qt-free, so the computing libraries and both programs can use it.
#include <filesystem>
#include <functional>
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

// The path made absolute, as messages name a file (the path as given when
// it cannot be).
std::string FullName(const std::filesystem::path& path);

// What a save does when the target's name is a symbolic link.
enum class AtLink {
    // The link itself is replaced by the new file; what it points at stays
    // as it was. Documents saved under a name the user chose: a link planted
    // there is never followed.
    Replace,
    // The file the link (or a chain of links) ends at is replaced, atomically
    // in that file's folder, and the link stays: a settings file the user
    // keeps in a dotfiles folder and links into the program's folder.
    WriteThrough,
};

// Atomic whole-file writes, through a PendingFile. Return false (and leave
// any old file untouched) when the file cannot be written; never report a
// failed write as done.
bool WriteFileBytesAtomic(const std::filesystem::path& path, const std::string& bytes,
                          AtLink at_link = AtLink::Replace);
bool WriteTextFileCp949(const std::filesystem::path& path, const std::string& utf8,
                        AtLink at_link = AtLink::Replace);

// A new file made in the folder of `target` and put at the target's name
// only by Commit: the one way both programs write a file. Until then it has
// no name (an unnamed file of the folder), so a crash or a kill while it is
// written leaves nothing behind; on a file system without unnamed files it
// has a fresh name "<target>.zu-save-XXXXXX" beside the target, created
// exclusively and removed when the file is dropped (after a crash, by the
// next save of the target or, in a program's user folder, by its next start:
// RemoveSaveLeftovers, which removes only names of that pattern). Either
// way no link or file planted beside the target is ever opened. It is
// written either directly (Write) or by a writer that opens files by name
// itself (the printer's PDF engine, the picture codecs) through WriteName.
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
    // Appends the bytes; false (and the file dropped) when they cannot all
    // be written.
    bool Write(const std::string& bytes);
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
    bool named_ = false;  // the stand-in with a name, not an unnamed file
    int fd_ = -1;
};

// The backups a write keeps of a settings file before it first writes over
// it are named "<file>.bak", "<file>.bak2" … "<file>.bak999": the n-th of
// them (1 ≤ n ≤ kLastSettingsBackup), and the test for such a name.
inline constexpr int kLastSettingsBackup = 999;
std::string SettingsBackupName(std::string_view file, int n);
bool IsSettingsBackupName(std::string_view name, std::string_view file);

// Removes from `folder` what killed saves left there of the files named
// `written_there` accepts: names "<target>.zu-save-XXXXXX" (six of the
// letters and digits mkstemp puts in) of regular files of this user, last
// written before this process started. A link, a folder, another user's
// file and every other name, however alike, stay. A save sweeps its own
// target's leftovers so; a program sweeps its user folder at start.
void RemoveSaveLeftovers(const std::filesystem::path& folder,
                         const std::function<bool(std::string_view target)>& written_there);

// Test hook: when set, an atomic write fails after writing this many bytes of
// the temporary file, as a full disk or a crash would. -1 disables it.
void SetWriteFailureAfterBytesForTest(long long bytes);
// Test hook: false makes pending files take the stand-in with a name, as on a
// file system without unnamed files; true restores the normal choice.
void SetUnnamedFilesForTest(bool available);
// Test hook: when set, called in an atomic write once the temporary file is
// written and synced, just before it is renamed over the target (a test
// kills the process there). nullptr disables it.
void SetBeforeRenameHookForTest(void (*hook)());
// Test hook: when set, called by PendingFile::Write after each piece it
// wrote, with the bytes written so far (a test stops or kills the process
// half way). nullptr disables it.
void SetWriteProgressHookForTest(void (*hook)(long long written));

}  // namespace platform
