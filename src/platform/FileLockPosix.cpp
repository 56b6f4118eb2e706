#include "platform/FileLock.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drawbook {

// flock()ed; a lock taken on a file another holder has just removed is taken
// again on the one now at the path.
FileLock::FileLock(const std::string& path) : m_path(path) {
    for (;;) {
        const int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            m_reason = std::error_code(errno, std::generic_category()).message();
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const std::error_code error(errno, std::generic_category());
            m_busy = error == std::errc::resource_unavailable_try_again || error == std::errc::operation_would_block;
            m_reason = error.message();
            ::close(fd);
            return;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(m_path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_handle = fd;
            m_held = true;
            return;
        }
        ::close(fd);
    }
}

FileLock::~FileLock() {
    if (m_held) {
        ::unlink(m_path.c_str());
        ::close(static_cast<int>(m_handle));
    }
}

std::string FileLock::Error() const {
    return "cannot lock " + m_path + ": " + m_reason;
}

} // namespace drawbook
