#pragma once

#include <string>

namespace drawbook {

// The help file beside the program; a full-width space stands between 屋 and ナ.
inline constexpr const char* kHelpFileName = "SOMARU屋　ナンバーズ.HLP";

struct FileLocations {
    std::string dbPath;
    std::string helpPath;
    std::string historyDir; // the shipped histories, with its trailing separator
};

// The directory part of a path, with its trailing separator ("" for a bare name).
std::string DirectoryOf(const std::string& path);

// Every file lies in the executable's directory.
FileLocations LocateFiles(const std::string& executablePath);

// An installed build: the book in the user's data folder ($XDG_DATA_HOME, or ~/.local/share
// when that is unset or not absolute), the help and the histories in `dataDir`.
FileLocations LocateInstalledFiles(const std::string& dataDir, const char* xdgDataHome, const char* home);

// Makes the folder that holds `path` and any missing folder above it, readable by the
// user alone; false when it cannot be made.
bool MakePrivateFolderFor(const std::string& path);

// Where this build keeps its files: beside the program, or for an installed build
// in the user's data folder, which is made on first use.
FileLocations LocateProgramFiles(const std::string& executablePath);

// The running program's own path, or argv0 when the system does not say.
std::string ExecutablePath(const char* argv0);

} // namespace drawbook
