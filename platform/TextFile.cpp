#include "platform/TextFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

long long g_fail_after_bytes = -1;

bool IsCp949Pair(unsigned char lead, unsigned char trail) {
    const bool trail_ok = (trail >= 0x41 && trail <= 0x5A) || (trail >= 0x61 && trail <= 0x7A) ||
                          (trail >= 0x81 && trail <= 0xFE);
    return lead >= 0x81 && lead <= 0xFE && trail_ok;
}

// One pass of iconv that replaces what cannot be converted and goes on.
std::string Convert(const std::string& in, const char* to, const char* from, const std::string& replacement) {
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

std::string Utf8ToCp949(const std::string& utf8) { return Convert(utf8, "CP949", "UTF-8", "?"); }

std::string Cp949ToUtf8(const std::string& cp949) { return Convert(cp949, "UTF-8", "CP949", "\xEF\xBF\xBD"); }

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadTextFileCp949(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return Cp949ToUtf8(*bytes);
}

bool WriteFileBytesAtomic(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::path temp = path;
    temp += ".tmp" + std::to_string(getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    size_t limit = bytes.size();
    const bool simulate_failure = g_fail_after_bytes >= 0 && static_cast<size_t>(g_fail_after_bytes) < limit;
    if (simulate_failure) limit = static_cast<size_t>(g_fail_after_bytes);
    size_t written = 0;
    bool ok = true;
    while (written < limit) {
        const ssize_t n = ::write(fd, bytes.data() + written, limit - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        written += static_cast<size_t>(n);
    }
    if (simulate_failure) ok = false;
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

bool WriteTextFileCp949(const std::filesystem::path& path, const std::string& utf8) {
    return WriteFileBytesAtomic(path, Utf8ToCp949(utf8));
}

void SetWriteFailureAfterBytesForTest(long long bytes) { g_fail_after_bytes = bytes; }

}  // namespace platform
