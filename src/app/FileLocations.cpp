#include "app/FileLocations.h"

#include "db/DrawDatabase.h"

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
    return {directory + kDatabaseFileName, directory + kHelpFileName};
}

std::string ExecutablePath(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return self.string();
    }
    const std::string given = argv0 != nullptr ? argv0 : "";
    const auto absolute = std::filesystem::absolute(given, error);
    return error ? given : absolute.string();
}

} // namespace drawbook
