#include "platform/ProgramFile.h"

#include "platform/FilePath.h"

#include <filesystem>
#include <system_error>

namespace drawbook {

std::string RunningProgramPath() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : Utf8FromPath(self);
}

std::string ProgramFileName(std::string_view name) {
    return std::string(name);
}

} // namespace drawbook
