#pragma once
// A throw-away program folder for loader tests: files written into it are
// removed with it.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace skydata::testing {

class ScratchDir {
public:
    explicit ScratchDir(const std::string& name) {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("zu-loaders-" + name + "-" + std::to_string(::getpid()) + "-" +
                 std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes bytes (already in the file's encoding) to a path relative to the folder.
    void Write(const std::string& relative, const std::string& bytes) const {
        const auto target = path_ / relative;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path path_;
};

}  // namespace skydata::testing
