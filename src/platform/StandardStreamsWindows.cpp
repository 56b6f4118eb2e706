#include "platform/StandardStreams.h"

#include "platform/WideText.h"

#include <climits>
#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace drawbook {

std::vector<std::string> Utf8Arguments(int argc, char* argv[]) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        args.push_back(Utf8FromWide(wide[i]));
    }
    LocalFree(wide);
    return args;
}

void UseBinaryStandardStreams() {
    // Text mode would write "\n" as "\r\n".
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const unsigned piece = text.size() > INT_MAX ? INT_MAX : static_cast<unsigned>(text.size());
        const int written = _write(fd, text.data(), piece);
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace drawbook
