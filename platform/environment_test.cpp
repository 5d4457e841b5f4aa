#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

using namespace kvr;

TEST(Environment, JoinsAndSplitsPaths)
{
    EXPECT_EQ(env::joinPath("/opt/kvr", "Datas"), "/opt/kvr/Datas");
    EXPECT_EQ(env::joinPath("/opt/kvr/", "Datas"), "/opt/kvr/Datas");
    EXPECT_EQ(env::joinPath("", "Datas"), "/Datas");
    EXPECT_EQ(env::parentFolder("/opt/kvr/Kvr"), "/opt/kvr");
    EXPECT_EQ(env::parentFolder("/Kvr"), "/");
    EXPECT_EQ(env::parentFolder("Kvr"), "");
}

TEST(Environment, DesktopComesFromTheUserDirsFile)
{
    TempFolder folder;
    const std::string home = folder.path();
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/cfg").c_str(), 1);
    EXPECT_EQ(env::desktopFolder(), home + "/Desktop");
    ASSERT_TRUE(env::makeFolders(home + "/cfg"));
    ASSERT_TRUE(replaceFileAtomically(home + "/cfg/user-dirs.dirs",
                                      "# comment\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"));
    EXPECT_EQ(env::desktopFolder(), home + "/" + cp932::text("デスクトップ"));
    EXPECT_EQ(env::configHome(), home + "/cfg");
}

TEST(Environment, KnowsTheProgramAndItsUser)
{
    EXPECT_FALSE(env::programFolder().empty());
    EXPECT_TRUE(isDirectory(env::programFolder()));
    EXPECT_FALSE(env::userName().empty());
    EXPECT_TRUE(isDirectory(env::runtimeFolder()));
    TempFolder folder;
    EXPECT_TRUE(env::makeFolders(folder.file("a/b/c")));
    EXPECT_TRUE(env::copyFile(folder.file("a/b/c/../../../none"), folder.file("x")) == false);
}
