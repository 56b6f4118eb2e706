#include "app/FileLocations.h"

#include <gtest/gtest.h>

using namespace drawbook;

TEST(FileLocationsTest, BothFilesLieBesideTheProgram) {
    const FileLocations files = LocateFiles("/opt/prog/x");
    EXPECT_EQ(files.dbPath, "/opt/prog/ナンバーズ.mdb");
    EXPECT_EQ(files.helpPath, "/opt/prog/SOMARU屋\u3000ナンバーズ.HLP");
}

TEST(FileLocationsTest, RootAndBareNames) {
    EXPECT_EQ(LocateFiles("/x").dbPath, "/ナンバーズ.mdb");
    EXPECT_EQ(LocateFiles("/x").helpPath, "/SOMARU屋　ナンバーズ.HLP");
    EXPECT_EQ(LocateFiles("x").dbPath, "ナンバーズ.mdb");
    EXPECT_EQ(LocateFiles("x").helpPath, "SOMARU屋　ナンバーズ.HLP");
}

#ifdef _WIN32
TEST(FileLocationsTest, WindowsDrivePaths) {
    EXPECT_EQ(LocateFiles("E:\\prog\\x.exe").dbPath, "E:\\prog\\ナンバーズ.mdb");
    EXPECT_EQ(LocateFiles("D:\\x.exe").dbPath, "D:\\ナンバーズ.mdb");
    EXPECT_EQ(LocateFiles("C:/prog/x.exe").dbPath, "C:/prog/ナンバーズ.mdb");
}
#else
TEST(FileLocationsTest, BackslashIsAnOrdinaryCharacter) {
    EXPECT_EQ(DirectoryOf("/a/b\\c"), "/a/");
    EXPECT_EQ(LocateFiles("/a/b\\c").dbPath, "/a/ナンバーズ.mdb");
}
#endif
