#pragma once
// Helpers of the libFuzzer targets: the input written to a file of a given
// name in a folder of this process (the readers take paths), and a check
// that aborts, so a failed property is reported like a crash.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

namespace tools::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// The work folder, removed with everything in it when the process exits
// normally (the end of a timed run, -runs, a merge); a crash leaves it, with
// the input beside the crash report.
class OwnedFolder {
public:
    explicit OwnedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
    }
    ~OwnedFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    OwnedFolder(const OwnedFolder&) = delete;
    OwnedFolder& operator=(const OwnedFolder&) = delete;
    const std::filesystem::path& path() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// A folder of this process ("zu_fuzz_<pid>" in the temporary folder), made on
// first use and reused for every input.
inline const std::filesystem::path& WorkFolder() {
    static const OwnedFolder folder(std::filesystem::temp_directory_path() / ("zu_fuzz_" + std::to_string(::getpid())));
    return folder.path();
}

// Writes the bytes to WorkFolder() / relative (folders made as needed).
inline std::filesystem::path WriteInput(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WorkFolder() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    return path;
}

}  // namespace tools::fuzz
