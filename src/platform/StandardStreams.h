#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace drawbook {

// The command line's arguments after the program's name, as UTF-8. Windows hands
// main() them in the ANSI code page, so they are read again from the wide command line.
std::vector<std::string> Utf8Arguments(int argc, char* argv[]);

// Standard output and error write the bytes they are given, with no line ends
// changed on the way, so a program's output is the same on every system.
void UseBinaryStandardStreams();

// Writes the whole text to the file descriptor, false when it cannot.
bool WriteAll(int fd, std::string_view text);

} // namespace drawbook
