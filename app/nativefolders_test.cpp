#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/datafolder.h"
#include "app/kvrsettings.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable (or removes it) for one test.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const char *value)
        : m_name(name)
    {
        if (const char *old = std::getenv(name))
            m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    const char *m_name;
    std::optional<std::string> m_old;
};

// Folders of the machine whose names CP932 cannot hold: "é" and "ü" are not in it. Every
// name below is a native (UTF-8) name.
class NativeFoldersTest : public testing::Test
{
protected:
    NativeFoldersTest()
    {
        m_root.put("Téléchargements/Kelvora/Datas/DBv3.kvr", "shipped db");
        m_root.put("Téléchargements/Kelvora/skin/default.ini", "[Design]");
        fs::create_directories(m_home);
    }
    std::string program() const { return m_root / "Téléchargements/Kelvora"; }
    // The program folder as start-up sees it.
    DataLocations locations() const
    {
        return DataLocations { cp932::fromNativePath(program()), env::dataHome(), {}, {} };
    }

    TempFolder m_root;
    const std::string m_home = m_root / "home/müller";
    ScopedVariable m_homeVariable { "HOME", m_home.c_str() };
    ScopedVariable m_config { "XDG_CONFIG_HOME", nullptr };
    ScopedVariable m_data { "XDG_DATA_HOME", nullptr };
};

TEST(NativePaths, EveryNativeNameSurvivesTheWayThroughCp932)
{
    const std::string names[] = {
        "/home/müller",
        "/dl/Téléchargements/Kelvora",
        "/x/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF", // データ: plain CP932 on the way
        "/x/\xFF\xFE-not-utf8",
        "/x/\xEE\x98\x80", // U+E600, which CP932 writes in row F9 itself
        "/x/\xEF\xBF\xBD", // U+FFFD as a name
        "/plain/ascii",
    };
    for (const std::string &native : names)
        EXPECT_EQ(nativePath(cp932::fromNativePath(native)), native) << native;
    EXPECT_EQ(cp932::fromNativePath("/x/\xE3\x83\x87"), "/x/" + cp932::text("デ"));
}

TEST_F(NativeFoldersTest, TheUsersFoldersNameTheNativeFolders)
{
    EXPECT_EQ(nativePath(env::homeFolder()), m_home);
    EXPECT_EQ(nativePath(env::configHome()), m_home + "/.config");
    EXPECT_EQ(nativePath(env::dataHome()), m_home + "/.local/share");
}

TEST_F(NativeFoldersTest, APortableProgramFolderReadsItsSettingsDataAndLog)
{
    const DataLocations where = locations();
    ASSERT_TRUE(where.isPortable());
    EXPECT_EQ(nativePath(where.findShipped("skin/default.ini")), program() + "/skin/default.ini");

    CFileSettingsStore store(settingsFilePath());
    CKvrSettings settings;
    ASSERT_TRUE(settings.load(store, where));
    EXPECT_TRUE(fs::exists(m_home + "/.config/Ombrel Presents/Kvr.conf"));
    EXPECT_EQ(readWholeFile(settings.DatabaseFilename), "shipped db");
    EXPECT_TRUE(replaceFileAtomically(settings.LogPath, "log"));
    EXPECT_TRUE(fs::exists(program() + "/Datas/translog.txt"));
    EXPECT_NE(claimDataFolder(settings.LogPath), nullptr);

    // The next start reads the stored paths back and finds the same files.
    CKvrSettings again;
    ASSERT_TRUE(again.load(store, where));
    EXPECT_EQ(again, settings);
    EXPECT_EQ(readWholeFile(again.LogPath), "log");
}

TEST_F(NativeFoldersTest, AnInstalledProgramSeedsTheUsersDataFolder)
{
    DataLocations where = locations();
    const std::string shipped = where.programFolder;
    where.isWritable = [shipped](const std::string &folder) {
        return folder.rfind(shipped, 0) != 0;
    };
    where.shippedFolder = shipped;
    ASSERT_FALSE(where.isPortable());

    CFileSettingsStore store(settingsFilePath());
    CKvrSettings settings;
    ASSERT_TRUE(settings.load(store, where));
    ASSERT_TRUE(seedUserData(settings.InstallPath, where));
    const std::string data = m_home + "/.local/share/Kelvora";
    EXPECT_TRUE(fs::exists(data + "/Datas/DBv3.kvr"));
    EXPECT_TRUE(fs::exists(data + "/skin/default.ini"));
    EXPECT_EQ(readWholeFile(settings.DatabaseFilename), "shipped db");
    EXPECT_TRUE(replaceFileAtomically(settings.LogPath, "log"));
    EXPECT_TRUE(fs::exists(data + "/Datas/translog.txt"));
}

} // namespace
} // namespace kvr
