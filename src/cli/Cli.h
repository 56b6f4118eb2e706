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
inline constexpr int kExitDownload = 4; // the results feed could not be had

// Runs one command line (without the program name) against the database at
// defaultDbPath unless --db names another; the shipped history lies in bundledDir.
// Returns the exit code.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err, const std::string& defaultDbPath,
           const std::string& bundledDir = {});

} // namespace drawbook
