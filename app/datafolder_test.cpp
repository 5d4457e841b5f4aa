#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/datafolder.h"
#include "app/kvrsettings.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

// A program folder with its shipped files, and an empty per-user data home.
class DataLayoutTest : public testing::Test
{
protected:
    DataLayoutTest()
    {
        m_folder.put("usr/bin/Datas/DBv3.kvr", "shipped db");
        m_folder.put("usr/bin/Datas/webdic.ini", "[WebDic]");
        m_folder.put("usr/bin/Datas/wavvoice/a.wav", "RIFF");
        m_folder.put("usr/bin/skin/default.ini", "[Design]");
        m_locations = DataLocations { m_folder / "usr/bin", m_folder / "share", {}, {} };
    }
    void makeReadOnly()
    {
        const std::string shipped = m_folder / "usr/bin/Datas";
        m_locations.isWritable = [shipped](const std::string &folder) { return folder != shipped; };
    }
    // What start-up does: load the settings, then seed the data folder they name.
    CKvrSettings start()
    {
        CKvrSettings settings;
        settings.load(m_store, m_locations);
        EXPECT_TRUE(seedUserData(settings.InstallPath, m_locations));
        return settings;
    }
    std::string user(const std::string &relative) const
    {
        return m_folder / ("share/Kelvora/" + relative);
    }

    TempFolder m_folder;
    DataLocations m_locations;
    CMemorySettingsStore m_store;
};

TEST_F(DataLayoutTest, WritableProgramFolderHoldsTheData)
{
    const CKvrSettings settings = start();
    EXPECT_EQ(settings.InstallPath, m_folder / "usr/bin");
    EXPECT_EQ(settings.DatabaseFilename, m_folder / "usr/bin/Datas/DBv3.kvr");
    EXPECT_FALSE(std::filesystem::exists(m_folder / "share"));
}

TEST_F(DataLayoutTest, LoadingTheSettingsCopiesNothing)
{
    makeReadOnly();
    CKvrSettings settings;
    settings.load(m_store, m_locations);
    EXPECT_EQ(settings.InstallPath, m_folder / "share/Kelvora");
    EXPECT_EQ(settings.DatabaseFilename, user("Datas/DBv3.kvr"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "share"));
}

TEST_F(DataLayoutTest, ReadOnlyInstallSeedsAPerUserCopyOnce)
{
    makeReadOnly();
    const CKvrSettings settings = start();
    EXPECT_EQ(settings.InstallPath, m_folder / "share/Kelvora");
    EXPECT_EQ(m_store.readString("Options", "InstallPath"), settings.InstallPath);
    EXPECT_EQ(settings.DatabaseFilename, user("Datas/DBv3.kvr"));
    EXPECT_EQ(settings.SkinPath, user("skin/default.ini"));
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "shipped db");
    EXPECT_EQ(readFile(user("Datas/wavvoice/a.wav")), "RIFF");
    EXPECT_EQ(readFile(user("skin/default.ini")), "[Design]");
    EXPECT_FALSE(std::filesystem::exists(user("Datas.partial")));

    // The learner's own data is never replaced by the shipped files, nor added to later.
    m_folder.put("share/Kelvora/Datas/DBv3.kvr", "my questions");
    std::filesystem::remove(user("Datas/webdic.ini"));
    start();
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "my questions");
    EXPECT_FALSE(std::filesystem::exists(user("Datas/webdic.ini")));
}

TEST_F(DataLayoutTest, SeedingKeepsFilesAlreadyInThePerUserFolder)
{
    makeReadOnly();
    m_folder.put("share/Kelvora/skin/default.ini", "my skin");
    start();
    EXPECT_EQ(readFile(user("skin/default.ini")), "my skin");
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "shipped db");
}

TEST_F(DataLayoutTest, ProgramFolderWithoutDatasGetsAnEmptyPerUserDataFolder)
{
    std::filesystem::remove_all(m_folder / "usr/bin/Datas");
    const CKvrSettings settings = start();
    EXPECT_EQ(settings.InstallPath, m_folder / "share/Kelvora");
    EXPECT_TRUE(std::filesystem::is_directory(user("Datas")));
    EXPECT_EQ(readFile(user("skin/default.ini")), "[Design]");
}

TEST_F(DataLayoutTest, DeletedPerUserDataIsSeededAgain)
{
    makeReadOnly();
    start();
    std::filesystem::remove_all(m_folder / "share/Kelvora");
    const CKvrSettings settings = start();
    EXPECT_EQ(settings.InstallPath, m_folder / "share/Kelvora");
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "shipped db");
}

TEST_F(DataLayoutTest, StoredInstallPathIsKeptAndNothingIsCopied)
{
    makeReadOnly();
    ASSERT_TRUE(m_store.writeString("Options", "InstallPath", m_folder / "elsewhere"));
    const CKvrSettings settings = start();
    EXPECT_EQ(settings.InstallPath, m_folder / "elsewhere");
    EXPECT_EQ(settings.LogPath, m_folder / "elsewhere/Datas/translog.txt");
    EXPECT_FALSE(std::filesystem::exists(m_folder / "share"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "elsewhere"));
}

// An installed program: nothing beside it, the shipped files in a separate read-only folder.
class InstalledLayoutTest : public testing::Test
{
protected:
    InstalledLayoutTest()
    {
        ship("1", "starter db v1");
        m_folder.put("usr/lib/kelvora/Kvr", "program");
        m_locations = DataLocations { m_folder / "usr/lib/kelvora",
                                      m_folder / "home/share",
                                      {},
                                      m_folder / "usr/share/kelvora" };
    }
    void ship(const std::string &version, const std::string &database)
    {
        m_folder.put("usr/share/kelvora/version", version + "\n");
        m_folder.put("usr/share/kelvora/Datas/DBv3.kvr", database);
        m_folder.put("usr/share/kelvora/Datas/translog.txt", "# log");
        m_folder.put("usr/share/kelvora/skin/default.ini", "[Design]");
        m_folder.put("usr/share/kelvora/Readme.txt", "read me");
    }
    std::string start()
    {
        CKvrSettings settings;
        settings.load(m_store, m_locations);
        EXPECT_TRUE(seedUserData(settings.InstallPath, m_locations));
        return settings.InstallPath;
    }
    std::string user(const std::string &relative) const
    {
        return m_folder / ("home/share/Kelvora/" + relative);
    }

    TempFolder m_folder;
    DataLocations m_locations;
    CMemorySettingsStore m_store;
};

TEST_F(InstalledLayoutTest, FirstStartSeedsThePerUserFolderFromTheShippedFolder)
{
    EXPECT_EQ(start(), m_folder / "home/share/Kelvora");
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "starter db v1");
    EXPECT_EQ(readFile(user("Datas/translog.txt")), "# log");
    EXPECT_EQ(readFile(user("skin/default.ini")), "[Design]");
    EXPECT_EQ(readFile(user(".seeded-version")), "1\n");
}

// Root can write everywhere, the shipped folder included: it still gets a home folder copy,
// and so does a program folder whose "Datas" is only a link to the shipped files.
TEST_F(InstalledLayoutTest, WritableShippedFilesOrALinkedDatasStayInstalled)
{
    m_locations.isWritable = [](const std::string &) { return true; };
    std::filesystem::create_directory_symlink(m_folder / "usr/share/kelvora/Datas",
                                              m_folder / "usr/lib/kelvora/Datas");
    EXPECT_FALSE(m_locations.isPortable());
    EXPECT_EQ(start(), m_folder / "home/share/Kelvora");
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "starter db v1");
}

TEST_F(InstalledLayoutTest, EmptyDatasIsSeeded)
{
    std::filesystem::create_directories(user("Datas"));
    start();
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "starter db v1");
}

// After the uninstaller deleted the database, a new version brings its starter database;
// the learner's history and anything edited stay, and an unchanged version adds nothing.
TEST_F(InstalledLayoutTest, UpgradeAddsMissingFilesOnlyOncePerVersion)
{
    start();
    m_folder.put("home/share/Kelvora/Datas/translog.txt", "# log\nmy history");
    m_folder.put("home/share/Kelvora/skin/default.ini", "my skin");
    std::filesystem::remove(user("Datas/DBv3.kvr"));
    start();
    EXPECT_FALSE(std::filesystem::exists(user("Datas/DBv3.kvr")));

    ship("2", "starter db v2");
    start();
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "starter db v2");
    EXPECT_EQ(readFile(user("Datas/translog.txt")), "# log\nmy history");
    EXPECT_EQ(readFile(user("skin/default.ini")), "my skin");
    EXPECT_EQ(readFile(user(".seeded-version")), "2\n");
}

TEST_F(InstalledLayoutTest, FailedSeedingIsReportedAndTriedAgain)
{
    m_folder.put("home/share", "a file where the data home should be");
    CKvrSettings settings;
    settings.load(m_store, m_locations);
    EXPECT_FALSE(seedUserData(settings.InstallPath, m_locations));
    const Message message = seedFailedMessage(settings.InstallPath);
    EXPECT_EQ(message.caption, "Error!");
    EXPECT_NE(message.text.find(user("Datas")), std::string::npos);

    std::filesystem::remove(m_folder / "home/share");
    EXPECT_TRUE(seedUserData(settings.InstallPath, m_locations));
    EXPECT_EQ(readFile(user("Datas/DBv3.kvr")), "starter db v1");
}

TEST_F(InstalledLayoutTest, ShippedFilesAreLookedUpInTheProgramFolderFirst)
{
    EXPECT_EQ(m_locations.findShipped("Readme.txt"), m_folder / "usr/share/kelvora/Readme.txt");
    m_folder.put("usr/lib/kelvora/Readme.txt", "beside the program");
    EXPECT_EQ(m_locations.findShipped("Readme.txt"), m_folder / "usr/lib/kelvora/Readme.txt");
    EXPECT_EQ(m_locations.findShipped("Missing.txt"), "");
}

TEST(DataLocations, TheFileSystemDecidesWhenNoCheckIsGiven)
{
    TempFolder folder;
    const DataLocations locations { folder.path(), folder.path(), {}, {} };
    EXPECT_TRUE(locations.canWrite(folder.path()));
    EXPECT_FALSE(locations.canWrite(folder / "missing"));
}

} // namespace
} // namespace kvr

namespace kvr {
namespace {

// Regression: two copies ran at once when their runtime folders differed (su, cron, some
// launchers), and the later save dropped the other's drill. The marker is beside the data.
TEST(DataFolderClaim, OneStudyProgramPerDataFolderWhateverTheEnvironment)
{
    TempFolder data;
    const std::string log = data.file("translog.txt");
    int held[2], done[2];
    ASSERT_EQ(::pipe(held), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        ::setenv("XDG_RUNTIME_DIR", data.file("elsewhere").c_str(), 1);
        const auto claim = claimDataFolder(log);
        const char c = claim && claim->locked() ? 'y' : 'n';
        (void)::write(held[1], &c, 1);
        char wait;
        (void)::read(done[0], &wait, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(held[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    const auto second = claimDataFolder(log);
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->locked());
    EXPECT_TRUE(fileExists(data.file(std::string(kInstanceLockName))));
    ASSERT_EQ(::write(done[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_TRUE(claimDataFolder(log)->locked()); // gone with its holder
    for (const int fd : { held[0], held[1], done[0], done[1] })
        ::close(fd);
}

} // namespace
} // namespace kvr
