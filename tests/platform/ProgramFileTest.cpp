#include "platform/ProgramFile.h"
#include "platform/FilePath.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace drawbook;
using namespace drawbook::test;

TEST(ProgramFileTest, TheRunningProgramAndTheHelperBesideIt) {
    const std::filesystem::path self = PathFromUtf8(RunningProgramPath());
    ASSERT_TRUE(self.is_absolute()) << RunningProgramPath();
    EXPECT_TRUE(std::filesystem::is_regular_file(self));
    EXPECT_EQ(self.stem(), "core_tests");
    // The build puts the fetch helper beside the tests under the name the system gives programs.
    EXPECT_TRUE(std::filesystem::is_regular_file(self.parent_path() / PathFromUtf8(ProgramFileName("drawbook-fetch"))));
    EXPECT_EQ(ProgramFileName("drawbook-fetch"), self.extension() == ".exe" ? "drawbook-fetch.exe" : "drawbook-fetch");
}

TEST(ProgramFileTest, JapaneseNamesReachTheFileSystemWhole) {
    TempDir dir;
    const std::string name = "SOMARU屋　ナンバーズ（移行前）.mdb";
    std::ofstream(PathFromUtf8(dir.File(name))) << "x";
    // Listed by the system under the name written as UTF-8 in the source.
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    const std::filesystem::path listed = std::filesystem::directory_iterator(dir.Path())->path();
    EXPECT_EQ(listed.filename(), std::filesystem::path(u8"SOMARU屋　ナンバーズ（移行前）.mdb"));
    EXPECT_EQ(Utf8FromPath(listed.filename()), name);
}
