#include "platform/FileLock.h"

#include "platform/WideText.h"

#include <system_error>

#include <windows.h>

namespace drawbook {

// Opened sharing nothing, so a second opener is refused; Windows removes the file
// when the last handle closes, also when the holder is killed.
FileLock::FileLock(const std::string& path) : m_path(path) {
    const HANDLE handle = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        m_busy = error == ERROR_SHARING_VIOLATION;
        m_reason = std::system_category().message(static_cast<int>(error));
        return;
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    m_held = true;
}

FileLock::~FileLock() {
    if (m_held) {
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    }
}

std::string FileLock::Error() const {
    return "cannot lock " + m_path + ": " + m_reason;
}

} // namespace drawbook
