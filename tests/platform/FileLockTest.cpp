#include "platform/FileLock.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using namespace drawbook;
using namespace drawbook::test;

TEST(FileLockTest, OneHolderAtATimeAndTheFileGoesWithTheLock) {
    TempDir dir;
    const std::string path = dir.File("ナンバーズ.mdb.lock");
    std::optional<FileLock> first(std::in_place, path);
    ASSERT_TRUE(first->Held()) << first->Error();
    EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(path)));
    {
        const FileLock second(path);
        EXPECT_FALSE(second.Held());
        EXPECT_TRUE(second.Busy());
        EXPECT_TRUE(second.Error().starts_with("cannot lock " + path + ": ")) << second.Error();
    }
    first.reset();
    EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(path)));
    const FileLock again(path);
    EXPECT_TRUE(again.Held()) << again.Error();

    const FileLock nowhere(dir.File("gone/x.lock"));
    EXPECT_FALSE(nowhere.Held());
    EXPECT_FALSE(nowhere.Busy());
}
