#pragma once

#include <cstdint>
#include <string>

namespace drawbook {

// An exclusive lock on a file of its own, taken at once or not at all. The lock
// goes with the process, so a killed holder never keeps it, and the file is
// removed when the lock is released.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return m_held; }
    // Another holder has it; false for any other reason it is not held.
    bool Busy() const { return m_busy; }
    // "cannot lock PATH: REASON".
    std::string Error() const;

private:
    std::string m_path;
    bool m_held = false;
    bool m_busy = false;
    std::string m_reason;
    std::intptr_t m_handle = -1; // the file descriptor, or Windows' HANDLE
};

} // namespace drawbook
