// A full disk, played by a file size limit: POSIX only.
#include "exchange/CsvFile.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace drawbook;
using namespace drawbook::test;

namespace {

// Keeps files from growing past a limit while it lives; writing beyond it fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool IsSet() const { return m_set; }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace

TEST(CsvFileTest, AFailedWriteLeavesTheFileAsItWas) {
    TempDir dir;
    const std::string path = dir.File("n3.csv");
    const std::string before = "1,191\n2,988\n";
    ASSERT_TRUE(WriteWholeFile(path, before));
    {
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsSet());
        EXPECT_FALSE(WriteWholeFile(path, std::string(64 * 1024, '7')));
    }
    EXPECT_EQ(ReadBytes(path), before);
}
