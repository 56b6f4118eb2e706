#include "platform/ProgramFile.h"

#include "platform/WideText.h"

#include <windows.h>

namespace drawbook {

std::string RunningProgramPath() {
    // The path may be longer than MAX_PATH; a buffer it fills exactly may have cut it.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return Utf8FromWide(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFileName(std::string_view name) {
    return std::string(name) + ".exe";
}

} // namespace drawbook
