#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace drawbook {

// Exit codes of drawbook-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDatabase = 3;

// Runs one command line (without the program name) against the database at
// defaultDbPath unless --db names another. Returns the exit code.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err, const std::string& defaultDbPath);

} // namespace drawbook
