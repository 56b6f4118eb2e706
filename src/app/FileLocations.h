#pragma once

#include <string>

namespace drawbook {

// The help file beside the program; a full-width space stands between 屋 and ナ.
inline constexpr const char* kHelpFileName = "SOMARU屋　ナンバーズ.HLP";

struct FileLocations {
    std::string dbPath;
    std::string helpPath;
};

// The directory part of a path, with its trailing separator ("" for a bare name).
std::string DirectoryOf(const std::string& path);

// Both files lie in the executable's directory.
FileLocations LocateFiles(const std::string& executablePath);

// The running program's own path, or argv0 when the system does not say.
std::string ExecutablePath(const char* argv0);

} // namespace drawbook
