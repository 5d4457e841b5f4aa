#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/sharedfile.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const std::string &folder)
{
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(nativePath(folder)), fs::directory_iterator {}));
}

// Regression: a log reached through a symbolic link became a plain file at the first save,
// and the link's target was never updated again.
TEST(SharedFile, ASaveThroughALinkReplacesItsTargetInItsOwnFolder)
{
    struct Row
    {
        const char *what;
        bool relative;
        bool chained;
    };
    for (const Row &row : { Row { "absolute", false, false }, Row { "relative", true, false },
                            Row { "link to a link", true, true } }) {
        TempFolder folder;
        ASSERT_TRUE(env::makeFolders(folder.file("synced")));
        ASSERT_TRUE(env::makeFolders(folder.file("Datas")));
        const std::string target = folder.file("synced/translog.txt");
        ASSERT_TRUE(replaceFileAtomically(target, "old"));
        const fs::path pointsTo =
            row.relative ? fs::path("../synced/translog.txt") : fs::path(target);
        std::string link = folder.file("Datas/translog.txt");
        if (row.chained) {
            fs::create_symlink(pointsTo, folder.file("Datas/middle.txt"));
            fs::create_symlink("middle.txt", link);
        } else {
            fs::create_symlink(pointsTo, link);
        }
        ASSERT_TRUE(replaceFileAtomically(link, "new")) << row.what;
        EXPECT_TRUE(fs::is_symlink(link)) << row.what;
        EXPECT_EQ(readWholeFile(target), "new") << row.what;
        EXPECT_EQ(readWholeFile(link), "new") << row.what;
        EXPECT_EQ(entriesIn(folder.file("synced")), 1u) << row.what; // no temporary left
        EXPECT_EQ(entriesIn(folder.file("Datas")), row.chained ? 2u : 1u) << row.what;
    }
}

TEST(SharedFile, StampsTellVersionsApart)
{
    TempFolder folder;
    const std::string path = folder.file("DBv3.kvr");
    CFileVersion version;
    EXPECT_TRUE(version.changedSince(path)); // nothing taken yet
    version.remember(fileStampOf(path));
    EXPECT_FALSE(version.changedSince(path)); // missing, and still missing
    ASSERT_TRUE(replaceFileAtomically(path, "a"));
    EXPECT_TRUE(version.changedSince(path));
    version.remember(fileStampOf(path));
    EXPECT_FALSE(version.changedSince(path));
    // Same size and content, a new file: still another version.
    ASSERT_TRUE(replaceFileAtomically(path, "a"));
    EXPECT_TRUE(version.changedSince(path));
}

// The lock is a file beside the data file, held across processes.
TEST(SharedFile, TheLockIsHeldAgainstAnotherProcess)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    EXPECT_EQ(sharedLockPath(path), path + ".lock");
    int ready[2], looked[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(looked), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const CSharedFileLock lock(path);
        const char held = lock.locked() ? 'y' : 'n';
        (void)::write(ready[1], &held, 1);
        char done;
        (void)::read(looked[0], &done, 1); // until the parent has looked
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 'y');
    EXPECT_FALSE(CFileLock(sharedLockPath(path), CFileLock::Wait::No).locked());
    const char done = 'x';
    ASSERT_EQ(::write(looked[1], &done, 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    EXPECT_TRUE(CSharedFileLock(path).locked());
    for (const int fd : { ready[0], ready[1], looked[0], looked[1] })
        ::close(fd);
}

} // namespace
} // namespace kvr
