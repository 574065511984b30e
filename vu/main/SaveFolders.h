#pragma once
// Where the calendar window's file dialogs start, one folder per kind of
// file: the folder of the last file of that kind saved in this run, else the
// user's documents folder, else the home folder. The hidden settings folder
// is never offered, so a saved page lands where the user finds it.
#include <array>
#include <filesystem>

namespace vu {

enum class SaveKind { Html, Bmp, Pdf, Templet, Settings };

class SaveFolders {
public:
    // The folder a dialog of that kind opens in.
    std::filesystem::path For(SaveKind kind) const;
    // Notes the folder of a file that was written (or read, for settings).
    void Remember(SaveKind kind, const std::filesystem::path& file);

private:
    std::array<std::filesystem::path, 5> last_{};
};

}  // namespace vu
