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

namespace fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// A folder of this process, made on first use and reused for every input.
inline const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path p = std::filesystem::temp_directory_path() / ("zu_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

// Writes the bytes to WorkFolder() / relative (folders made as needed).
inline std::filesystem::path WriteInput(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = WorkFolder() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    return path;
}

}  // namespace fuzz
