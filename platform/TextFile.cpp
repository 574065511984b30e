#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace platform {
namespace {

long long g_fail_after_bytes = -1;
void (*g_before_rename)() = nullptr;
void (*g_write_progress)(long long) = nullptr;
bool g_unnamed_files = true;

// The named stand-ins of pending files are "<target>" kTemporaryMarker and
// six random characters; no other name is ever removed as a leftover.
constexpr std::string_view kTemporaryMarker = ".zu-save-";
constexpr int kRandomLetters = 6;
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// Direct writes go in pieces of this size; between two of them a test may
// stop a save half way.
constexpr std::size_t kWritePiece = 1 << 20;
// Links followed at most from the target of a write-through save, as the
// system follows them when opening a file.
constexpr int kMaxLinkHops = 40;

// When this process started, near enough: a temporary file last written
// before then belongs to a save that never finished. Taken when the program
// loads, and again in a child after fork, which is a process of its own.
std::filesystem::file_time_type ProcessStart() {
    static pid_t pid = 0;
    static std::filesystem::file_time_type start;
    if (pid != ::getpid()) {
        pid = ::getpid();
        start = std::filesystem::file_time_type::clock::now();
    }
    return start;
}
const bool g_start_taken = (ProcessStart(), true);

// The name of the file a stand-in named `name` was made for: "<target>"
// kTemporaryMarker and six of kLetters (what mkstemp puts in); nullopt for
// any other name.
std::optional<std::string_view> StandInTarget(std::string_view name) {
    constexpr std::size_t kTail = kTemporaryMarker.size() + kRandomLetters;
    if (name.size() <= kTail) return std::nullopt;
    const std::string_view target = name.substr(0, name.size() - kTail);
    const std::string_view rest = name.substr(target.size());
    if (rest.substr(0, kTemporaryMarker.size()) != kTemporaryMarker) return std::nullopt;
    const std::string_view letters(kLetters, sizeof kLetters - 1);
    if (!std::all_of(rest.begin() + static_cast<std::ptrdiff_t>(kTemporaryMarker.size()), rest.end(),
                     [&](char c) { return letters.find(c) != std::string_view::npos; }))
        return std::nullopt;
    return target;
}

std::string RandomLetters() {
    std::random_device random;
    std::string letters;
    for (int i = 0; i < kRandomLetters; ++i) letters += kLetters[random() % (sizeof kLetters - 1)];
    return letters;
}

// The file a chain of links at `path` ends at (`path` itself when it is no
// link); nullopt when the chain cannot be read or loops.
std::optional<std::filesystem::path> LinkedFile(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code ec;
        const std::filesystem::file_status status = std::filesystem::symlink_status(current, ec);
        if (status.type() != std::filesystem::file_type::symlink) return current;
        const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
        if (ec) return std::nullopt;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

// True when `path` is what a killed save left: a regular file of this user
// (never a link, a folder or another user's file) last written before this
// process started (a running save of another instance is younger).
bool IsLeftover(const std::filesystem::path& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return false;
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(path, ec);
    return !ec && written < ProcessStart();
}

// Removes what crashed or killed saves of this file left behind.
void RemoveLeftoverTemporaries(const std::filesystem::path& target) {
    const std::string name = target.filename().string();
    if (name.empty()) return;
    RemoveSaveLeftovers(target.has_parent_path() ? target.parent_path() : ".",
                        [&](std::string_view of) { return of == name; });
}

// The permission bits the new file gets: those of the file it replaces, or
// for a new file what the process's file mode creation mask leaves of 0666.
mode_t ModeForTarget(const std::filesystem::path& target) {
    struct stat st;
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    mode_t mask = 022;
    if (std::ifstream status("/proc/self/status"); status) {
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0) {
                mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
                break;
            }
        }
    }
    return 0666 & ~mask;
}

// Makes the rename itself durable.
void SyncFolder(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool IsCp949Pair(unsigned char lead, unsigned char trail) {
    const bool trail_ok = (trail >= 0x41 && trail <= 0x5A) || (trail >= 0x61 && trail <= 0x7A) ||
                          (trail >= 0x81 && trail <= 0xFE);
    return lead >= 0x81 && lead <= 0xFE && trail_ok;
}

// One pass of iconv that replaces what cannot be converted and goes on.
std::string Convert(const std::string& in, const char* to, const char* from, const std::string& replacement) {
    // ASCII is written alike in both encodings (the catalogues, the element
    // lists, most settings).
    if (std::all_of(in.begin(), in.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return in;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    std::string out;
    out.reserve(in.size() * 3 / 2 + 16);
    char buffer[4096];
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    while (src_left > 0) {
        char* dst = buffer;
        size_t dst_left = sizeof buffer;
        const size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: skip one input character and write a replacement.
        size_t skip = 1;
        if (std::string(from) == "UTF-8") {
            // The lead byte and the continuation bytes actually present.
            const unsigned char c = static_cast<unsigned char>(*src);
            const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            while (skip < length && skip < src_left && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
        } else if (src_left >= 2 &&
                   IsCp949Pair(static_cast<unsigned char>(src[0]), static_cast<unsigned char>(src[1]))) {
            // A well-formed pair that maps to nothing is one lost character; a
            // stray lead byte must not swallow the blank or line end after it.
            skip = 2;
        }
        if (skip > src_left) skip = src_left;
        src += skip;
        src_left -= skip;
        out += replacement;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string SettingsBackupName(std::string_view file, int n) {
    std::string name(file);
    name += ".bak";
    if (n > 1) name += std::to_string(n);
    return name;
}

bool IsSettingsBackupName(std::string_view name, std::string_view file) {
    constexpr std::string_view kBak = ".bak";
    if (name.size() < file.size() + kBak.size() || name.substr(0, file.size()) != file ||
        name.substr(file.size(), kBak.size()) != kBak)
        return false;
    const std::string_view number = name.substr(file.size() + kBak.size());
    if (number.empty()) return true;
    // ".bak1" is never written: the first backup is ".bak".
    if (number.size() > 3 || number[0] == '0' || number == "1") return false;
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void RemoveSaveLeftovers(const std::filesystem::path& folder,
                         const std::function<bool(std::string_view target)>& written_there) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        const std::optional<std::string_view> target = StandInTarget(entry);
        if (target && written_there(*target) && IsLeftover(it->path())) ::unlink(it->path().c_str());
    }
}

PendingFile::PendingFile(const std::filesystem::path& target) : target_(target) {
    RemoveLeftoverTemporaries(target_);
    const std::filesystem::path folder = target_.has_parent_path() ? target_.parent_path() : ".";
    if (g_unnamed_files) fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
        write_name_ = "/proc/self/fd/" + std::to_string(fd_);
        // Without /proc the unnamed file cannot be reached by name.
        if (::access(write_name_.c_str(), W_OK) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    if (fd_ < 0) {
        std::string temp = target_.string() + std::string(kTemporaryMarker) + "XXXXXX";
        fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd_ < 0) return;
        write_name_ = temp;
        named_ = true;
    }
    if (::fchmod(fd_, ModeForTarget(target_)) != 0) Drop();
}

PendingFile::~PendingFile() { Drop(); }

void PendingFile::Drop() {
    if (fd_ < 0) return;
    if (named_) ::unlink(write_name_.c_str());
    ::close(fd_);
    fd_ = -1;
}

bool PendingFile::Write(const std::string& bytes) {
    if (fd_ < 0) return false;
    std::size_t limit = bytes.size();
    const bool fail = g_fail_after_bytes >= 0 && static_cast<std::size_t>(g_fail_after_bytes) < limit;
    if (fail) limit = static_cast<std::size_t>(g_fail_after_bytes);
    std::size_t written = 0;
    while (written < limit) {
        const ssize_t n = ::write(fd_, bytes.data() + written, std::min(kWritePiece, limit - written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Drop();
            return false;
        }
        written += static_cast<std::size_t>(n);
        if (g_write_progress) g_write_progress(static_cast<long long>(written));
    }
    if (fail) Drop();
    return !fail;
}

long long PendingFile::Size() const {
    struct stat st;
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
    return static_cast<long long>(st.st_size);
}

bool PendingFile::Commit() {
    if (fd_ < 0) return false;
    if (::fsync(fd_) != 0) {
        Drop();
        return false;
    }
    std::string temp = write_name_.string();
    if (!named_) {
        // An unnamed file gets a name only now, a fresh one that no link can
        // stand at (linking never replaces anything), for the atomic rename.
        bool linked = false;
        for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
            temp = target_.string() + std::string(kTemporaryMarker) + RandomLetters();
            linked = ::linkat(AT_FDCWD, write_name_.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0;
            if (!linked && errno != EEXIST) break;
        }
        if (!linked) {
            Drop();
            return false;
        }
    }
    if (g_before_rename) g_before_rename();
    const bool renamed = std::rename(temp.c_str(), target_.c_str()) == 0;
    if (!renamed) ::unlink(temp.c_str());
    ::close(fd_);
    fd_ = -1;
    if (!renamed) return false;
    SyncFolder(target_);
    return true;
}

std::string Utf8ToCp949(const std::string& utf8) { return Convert(utf8, "CP949", "UTF-8", "?"); }

bool FitsCp949(const std::string& utf8) { return Cp949ToUtf8(Utf8ToCp949(utf8)) == utf8; }

std::string Cp949ToUtf8(const std::string& cp949) { return Convert(cp949, "UTF-8", "CP949", "\xEF\xBF\xBD"); }

bool IsCp949(const std::string& bytes) { return Utf8ToCp949(Cp949ToUtf8(bytes)) == bytes; }

bool IsUtf8(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The range of the first continuation byte rules out overlong forms,
        // surrogates and code points beyond U+10FFFF.
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - i < length || byte(i + 1) < low || byte(i + 1) > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if ((byte(i + k) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

std::string DecodeCp949OrUtf8(const std::string& bytes) {
    if (IsCp949(bytes)) return Cp949ToUtf8(bytes);
    if (IsUtf8(bytes)) return bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    // Neither byte of a code page 949 pair nor any byte of a UTF-8 sequence
    // is a line feed, so the lines split the same in either encoding.
    std::string text;
    text.reserve(bytes.size() * 3 / 2);
    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::size_t feed = bytes.find('\n', begin);
        const std::size_t end = feed == std::string::npos ? bytes.size() : feed + 1;
        const std::string line = bytes.substr(begin, end - begin);
        text += !IsCp949(line) && IsUtf8(line) ? line : Cp949ToUtf8(line);
        begin = end;
    }
    return text;
}

std::string FullName(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return (ec ? path : full).string();
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    try {
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;  // a folder opens, but reading it fails
    }
}

std::optional<std::string> ReadTextFileCp949(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return Cp949ToUtf8(*bytes);
}

bool WriteFileBytesAtomic(const std::filesystem::path& path, const std::string& bytes, AtLink at_link) {
    std::optional<std::filesystem::path> target = path;
    if (at_link == AtLink::WriteThrough) target = LinkedFile(path);
    if (!target) return false;
    PendingFile file(*target);
    return file.Write(bytes) && file.Commit();
}

bool WriteTextFileCp949(const std::filesystem::path& path, const std::string& utf8, AtLink at_link) {
    return WriteFileBytesAtomic(path, Utf8ToCp949(utf8), at_link);
}

void SetWriteFailureAfterBytesForTest(long long bytes) { g_fail_after_bytes = bytes; }

void SetBeforeRenameHookForTest(void (*hook)()) { g_before_rename = hook; }

void SetUnnamedFilesForTest(bool available) { g_unnamed_files = available; }

void SetWriteProgressHookForTest(void (*hook)(long long written)) { g_write_progress = hook; }

}  // namespace platform
