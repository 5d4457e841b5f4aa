#include <gtest/gtest.h>

#include "platform/dailybackup.h"
#include "platform/testsupport.h"
#include "platform/testsupport_clock.h"
#include "platform/testsupport_prompter.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::kNoonDecember10;
using test::kOneDay;

class DailyBackupTest : public ::testing::Test
{
protected:
    TempFolder folder;
    test::FixedClock clock;
    test::CScriptedPrompter prompter;
    CDailyBackup backup { clock, prompter };
    std::string database = folder / "Datas/DBv3.kvr";
    std::string log = folder / "Datas/translog.txt";

    // Saves the file the way the programs do: backup first, then the write.
    void save(const std::string &path, const std::string &content)
    {
        backup.beforeSave(path);
        ASSERT_TRUE(replaceFileAtomically(path, content));
    }
};

TEST_F(DailyBackupTest, NamesTheCopyByFileAndDate)
{
    EXPECT_EQ(backupDateOf(kNoonDecember10), "20261210");
    EXPECT_EQ(backupPathOf(database, "20261210"), folder / "Datas/backup/DBv3-20261210.kvr");
    EXPECT_EQ(backupPathOf(log, "20261210"), folder / "Datas/backup/translog-20261210.txt");
}

TEST_F(DailyBackupTest, ListsDaysAndMomentsNewestFirst)
{
    folder.put("Datas/DBv3.kvr", "now");
    for (const char *stamp : { "20261208", "20261209-235959", "20261209", "20261210-000001" })
        ASSERT_TRUE(writeBackup(database, stamp));
    for (const char *other : { "DBv3-2026121.kvr", "DBv3-20261210-1.kvr", "DBv3-20261210.txt",
                               "DBv4-20261210.kvr", "DBv3-20261210-12345x.kvr" })
        folder.put(std::string("Datas/backup/") + other, "x");
    std::vector<std::string> stamps;
    for (const BackupFile &file : listBackups(database))
        stamps.push_back(file.stamp);
    EXPECT_EQ(stamps,
              (std::vector<std::string> { "20261210-000001", "20261209-235959", "20261209",
                                          "20261208" }));
    EXPECT_EQ(backupMomentOf(kNoonDecember10 + 65).substr(0, 9), "20261210-");
}

TEST_F(DailyBackupTest, FirstSaveOfEachDayKeepsTheFileAsItWas)
{
    folder.put("Datas/DBv3.kvr", std::string("old\r\n\x95\x5c\0end", 11));
    save(database, "second");
    const std::string today = backupPathOf(database, "20261210");
    // Byte for byte, including a trail byte 0x5C and a NUL.
    EXPECT_EQ(readWholeFile(today), std::string("old\r\n\x95\x5c\0end", 11));

    save(database, "third"); // the same day: the morning's copy stays
    EXPECT_EQ(readWholeFile(today), std::string("old\r\n\x95\x5c\0end", 11));

    clock.time += kOneDay;
    save(database, "fourth");
    EXPECT_EQ(readWholeFile(backupPathOf(database, "20261211")), "third");
    EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(DailyBackupTest, DatabaseAndLogHaveCopiesOfTheirOwn)
{
    folder.put("Datas/DBv3.kvr", "db");
    folder.put("Datas/translog.txt", "log");
    save(database, "db2");
    save(log, "log2");
    ASSERT_EQ(listBackups(database).size(), 1u);
    ASSERT_EQ(listBackups(log).size(), 1u);
    EXPECT_EQ(readWholeFile(listBackups(log)[0].path), "log");
}

TEST_F(DailyBackupTest, ElevenDaysKeepTheNewestTen)
{
    folder.put("Datas/DBv3.kvr", "day0");
    folder.put("Datas/backup/unrelated.txt", "kept");
    folder.put("Datas/backup/DBv3-notadate.kvr", "kept");
    for (int day = 1; day <= 11; ++day) {
        save(database, "day" + std::to_string(day));
        clock.time += kOneDay;
    }
    const std::vector<BackupFile> backups = listBackups(database);
    ASSERT_EQ(backups.size(), kKeptBackups);
    EXPECT_EQ(backups.front().stamp, "20261220"); // newest first
    EXPECT_EQ(backups.back().stamp, "20261211");
    EXPECT_EQ(readWholeFile(backups.back().path), "day1");
    EXPECT_EQ(backups.back().size, 4u);
    EXPECT_FALSE(fileExists(backupPathOf(database, "20261210")));
    EXPECT_TRUE(fileExists(folder / "Datas/backup/unrelated.txt"));
    EXPECT_TRUE(fileExists(folder / "Datas/backup/DBv3-notadate.kvr"));
}

TEST_F(DailyBackupTest, AFailedCopyIsToldAndTheSaveGoesOn)
{
    folder.put("Datas/DBv3.kvr", "before");
    folder.put("Datas/backup", "a file where the folder should be");
    save(database, "after");
    EXPECT_EQ(readWholeFile(database), "after");
    ASSERT_EQ(prompter.texts(), std::vector<std::string>({ backupFailedText(database) }));
    EXPECT_EQ(prompter.asked[0].icon, Icon::Warning);
}

TEST_F(DailyBackupTest, ANewFileHasNothingToKeep)
{
    ASSERT_TRUE(env::makeFolders(folder / "Datas"));
    save(database, "first");
    EXPECT_FALSE(isDirectory(backupFolderOf(database)));
    EXPECT_TRUE(prompter.asked.empty());
}

} // namespace
} // namespace kvr
