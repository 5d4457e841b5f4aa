#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/namedmutex.h"
#include "platform/testsupport.h"

using namespace kvr;

namespace {

std::string uniqueName(const char *base)
{
    return std::string(base) + "-" + std::to_string(::getpid());
}

// Runs body in a child process and returns its exit code.
template <typename Body> int inChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(NamedMutex, AcquireFailsWhileTheObjectExists)
{
    const std::string name = uniqueName("USE_KVR_DATABASE");
    CNamedMutex first, second;
    ASSERT_TRUE(first.acquire(name));
    EXPECT_FALSE(second.acquire(name));
    first.release(); // releasing does not end the object
    EXPECT_FALSE(second.acquire(name));
    first.close();
    EXPECT_TRUE(second.acquire(name));
    CNamedMutex other;
    EXPECT_TRUE(other.acquire(uniqueName("Kelvora")));
}

TEST(NamedMutex, WorksAcrossProcessesAndVanishesWithACrashedHolder)
{
    const std::string name = uniqueName("名前/with spaces");
    int ready[2], proceed[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(proceed), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        CNamedMutex mutex;
        const char ok = mutex.acquire(name) ? 'y' : 'n';
        (void)::write(ready[1], &ok, 1);
        char c;
        (void)::read(proceed[0], &c, 1);
        ::_exit(0); // dies holding it, without closing
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    EXPECT_EQ(inChild([&] {
                  CNamedMutex m;
                  return m.acquire(name) ? 1 : 0;
              }),
              0);
    CNamedMutex mine;
    EXPECT_FALSE(mine.acquire(name));
    (void)::write(proceed[1], "x", 1);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(mine.acquire(name));
}

// Two programs given different runtime folders (su, cron, a launcher) still see each other's
// marker beside the data; a read-only data folder falls back to the runtime folder.
TEST(NamedMutex, TheInUseMarkerBesideTheDataIsSeenWhateverTheRuntimeFolder)
{
    TempFolder data, otherRuntime;
    const std::string marker = inUseMarkerBeside(data.file("DBv3.kvr"));
    EXPECT_EQ(marker, data.file("USE_KVR_DATABASE.lock"));
    CNamedMutex drill;
    ASSERT_TRUE(drill.acquire(marker));
    EXPECT_EQ(inChild([&] {
                  ::setenv("XDG_RUNTIME_DIR", otherRuntime.path().c_str(), 1);
                  CNamedMutex editor;
                  return editor.acquire(marker) ? 1 : 0;
              }),
              0);
    drill.close();

    if (::geteuid() == 0)
        return; // root writes into read-only folders
    ::chmod(data.path().c_str(), 0500);
    CNamedMutex readOnly, again;
    EXPECT_TRUE(readOnly.acquire(marker));
    EXPECT_FALSE(again.acquire(marker));
    ::chmod(data.path().c_str(), 0700);
}
