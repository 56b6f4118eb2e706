#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace drawbook {

// Paths travel through drawbook as UTF-8 text. The file system takes them as
// std::filesystem::path, which Windows holds as UTF-16 and reads narrow text in
// the ANSI code page; going through char8_t keeps Japanese names whole.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace drawbook
