#include "app/FileLocations.h"

#include "db/DrawDatabase.h"
#include "platform/FilePath.h"
#include "platform/ProgramFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace drawbook {

namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "\\/";
#else
constexpr const char* kSeparators = "/";
#endif

} // namespace

std::string DirectoryOf(const std::string& path) {
    const auto last = path.find_last_of(kSeparators);
#ifdef _WIN32
    if (last == std::string::npos && path.size() >= 2 && path[1] == ':') {
        return path.substr(0, 2); // "D:x.exe" lies in the drive's current directory
    }
#endif
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

FileLocations LocateFiles(const std::string& executablePath) {
    const std::string directory = DirectoryOf(executablePath);
    return {directory + kDatabaseFileName, directory + kHelpFileName, directory};
}

FileLocations LocateInstalledFiles(const std::string& dataDir, const char* xdgDataHome, const char* home) {
    std::string userData;
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
        userData = xdgDataHome;
    } else {
        userData = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    if (userData.back() != '/') {
        userData += '/';
    }
    return {userData + "drawbook/" + kDatabaseFileName, dataDir + kHelpFileName, dataDir};
}

bool MakePrivateFolderFor(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path folder = PathFromUtf8(path).parent_path();
    fs::path made;
    for (const fs::path& part : folder) {
        made /= part;
        std::error_code error;
        if (fs::create_directory(made, error)) {
            fs::permissions(made, fs::perms::owner_all, fs::perm_options::replace, error);
        }
        if (error) {
            return false;
        }
    }
    std::error_code error;
    return fs::is_directory(folder, error);
}

FileLocations LocateProgramFiles(const std::string& executablePath) {
#ifdef DRAWBOOK_INSTALLED_DATA_DIR
    (void)executablePath;
    FileLocations files =
        LocateInstalledFiles(DRAWBOOK_INSTALLED_DATA_DIR, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    MakePrivateFolderFor(files.dbPath); // when it fails, opening the book says where
    return files;
#else
    return LocateFiles(executablePath);
#endif
}

std::string ExecutablePath(const char* argv0) {
    std::string self = RunningProgramPath();
    if (!self.empty()) {
        return self;
    }
    const std::string given = argv0 != nullptr ? argv0 : "";
    std::error_code error;
    const auto absolute = std::filesystem::absolute(PathFromUtf8(given), error);
    return error ? given : Utf8FromPath(absolute);
}

} // namespace drawbook
