#pragma once

#include <string>
#include <string_view>

namespace drawbook {

// The running program's own file, as UTF-8; empty when the system does not say.
std::string RunningProgramPath();

// The file name a program of that name has here: "drawbook-fetch.exe" on Windows.
std::string ProgramFileName(std::string_view name);

} // namespace drawbook
