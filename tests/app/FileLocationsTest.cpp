#include "app/FileLocations.h"

#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST(FileLocationsTest, InstalledBookLiesInTheUsersDataFolder) {
    const struct {
        const char* xdgDataHome;
        const char* home;
        const char* dbPath;
    } cases[] = {
        {"/x/data", "/home/u", "/x/data/drawbook/ナンバーズ.mdb"},
        {"/x/data/", "/home/u", "/x/data/drawbook/ナンバーズ.mdb"},
        {nullptr, "/home/u", "/home/u/.local/share/drawbook/ナンバーズ.mdb"},
        {"", "/home/u", "/home/u/.local/share/drawbook/ナンバーズ.mdb"},
        {"data", "/home/u", "/home/u/.local/share/drawbook/ナンバーズ.mdb"}, // not absolute: ignored
    };
    for (const auto& c : cases) {
        const FileLocations files = LocateInstalledFiles("/usr/share/drawbook/", c.xdgDataHome, c.home);
        EXPECT_EQ(files.dbPath, c.dbPath) << (c.xdgDataHome ? c.xdgDataHome : "(unset)");
        EXPECT_EQ(files.helpPath, "/usr/share/drawbook/SOMARU屋　ナンバーズ.HLP");
        EXPECT_EQ(files.historyDir, "/usr/share/drawbook/");
    }
}

TEST(FileLocationsTest, PrivateFolderIsMadeWithItsMissingParentsAndLeavesTheRest) {
    namespace fs = std::filesystem;
    const test::TempDir dir;
    const fs::path root = dir.Path();
    fs::create_directories(root / "home");
    fs::permissions(root / "home", fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);

    ASSERT_TRUE(MakePrivateFolderFor((root / "home/.local/share/drawbook/ナンバーズ.mdb").string()));
    for (const char* made : {"home/.local", "home/.local/share", "home/.local/share/drawbook"}) {
        EXPECT_EQ(fs::status(root / made).permissions(), fs::perms::owner_all) << made;
    }
    EXPECT_EQ(fs::status(root / "home").permissions() & fs::perms::others_read, fs::perms::others_read);
    EXPECT_TRUE(MakePrivateFolderFor((root / "home/.local/share/drawbook/ナンバーズ.mdb").string())); // again
    std::ofstream(root / "file") << "x";
    EXPECT_FALSE(MakePrivateFolderFor((root / "file/drawbook/ナンバーズ.mdb").string()));
}
