#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

unsigned modeOf(const std::string &path)
{
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

// Lock files go only where no other local user can reach: a folder in the shared temp
// folder that is open to others, or is a link, is passed over for one in the user's cache.
TEST(Environment, RuntimeFolderIsPrivateToTheUser)
{
    TempFolder folder;
    const std::string temp = folder.file("tmp"), cache = folder.file("cache");
    const std::string shared = temp + "/kelvora-" + std::to_string(::getuid());
    const std::string fallback = cache + "/kelvora-runtime";
    ASSERT_TRUE(env::makeFolders(temp));
    ::setenv("TMPDIR", temp.c_str(), 1);
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    ::unsetenv("XDG_RUNTIME_DIR");

    EXPECT_EQ(env::runtimeFolder(), shared);
    EXPECT_EQ(modeOf(shared), S_IFDIR | 0700u);

    ::chmod(shared.c_str(), 0755);
    EXPECT_EQ(env::runtimeFolder(), fallback);
    EXPECT_EQ(modeOf(fallback), S_IFDIR | 0700u);

    ::rmdir(shared.c_str());
    ASSERT_EQ(::symlink(fallback.c_str(), shared.c_str()), 0);
    EXPECT_EQ(env::runtimeFolder(), fallback) << "a link is not our folder";

    ::setenv("XDG_RUNTIME_DIR", cache.c_str(), 1); // made with the umask's 0755 or so
    ::chmod(cache.c_str(), 0755);
    EXPECT_EQ(env::runtimeFolder(), fallback);
    ::chmod(cache.c_str(), 0700);
    EXPECT_EQ(env::runtimeFolder(), cache);

    if (::geteuid() == 0) { // only root can hand a folder to somebody else
        ::unlink(shared.c_str());
        ::unsetenv("XDG_RUNTIME_DIR");
        ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
        ASSERT_EQ(::chown(shared.c_str(), 65534, 65534), 0);
        EXPECT_EQ(env::runtimeFolder(), fallback);
    }
}
