#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/cp932.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_savekill.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

std::string allBytes()
{
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes.push_back(static_cast<char>(c));
    return bytes;
}

// The texts most likely to break a line format, as values and as names.
const std::vector<std::string> kOddTexts = {
    "",
    " leading and trailing ",
    "line\r\nbreak\rand\nmore",
    std::string("nul\0inside", 10),
    "%41 is not A",
    "a=b=c",
    "[Options]",
    "; not a comment",
    "# nor this",
    "text:int:5",
    "\x95\x5C\x81\x5B\x83\x5D", // 表ーゾ: trail bytes that look like \ [ ]
    "C:\\Kvr\\Datas\\DBv3.kvr",
    allBytes(),
};

// --- the contract every store keeps ----------------------------------------------------------

struct StoreKind
{
    const char *name;
    std::function<std::unique_ptr<ISettingsStore>(const TempFolder &)> make;
};

class SettingsStoreContract : public testing::TestWithParam<StoreKind>
{
protected:
    TempFolder m_folder;
    std::unique_ptr<ISettingsStore> m_store = GetParam().make(m_folder);
};

TEST_P(SettingsStoreContract, MissingValuesReadAsMissingOrDefault)
{
    EXPECT_FALSE(m_store->readInt("Options", "KvrWindowWidth"));
    EXPECT_FALSE(m_store->readString("Options", "LastSection"));
    EXPECT_EQ(m_store->readInt("Options", "KvrWindowWidth", -5), -5);
    EXPECT_EQ(m_store->readString("Options", "CorrectSoundfile", "no entry"), "no entry");
    EXPECT_EQ(m_store->snapshot().size(), 0u);
}

TEST_P(SettingsStoreContract, WritesOverwriteAndRemove)
{
    ASSERT_TRUE(m_store->writeInt("Options", "Opacity", 80));
    ASSERT_TRUE(m_store->writeInt("Options", "Opacity", -2147483647 - 1));
    ASSERT_TRUE(m_store->writeString("DBv3", "filename", "/a/DBv3.kvr"));
    EXPECT_EQ(m_store->readInt("Options", "Opacity"), -2147483647 - 1);
    EXPECT_EQ(m_store->readString("DBv3", "filename"), "/a/DBv3.kvr");

    ASSERT_TRUE(m_store->remove("DBv3", "filename"));
    ASSERT_TRUE(m_store->remove("DBv3", "never there"));
    EXPECT_FALSE(m_store->readString("DBv3", "filename"));
    EXPECT_EQ(m_store->snapshot().size(), 1u);
}

TEST_P(SettingsStoreContract, ValueOfTheOtherTypeReadsAsMissing)
{
    ASSERT_TRUE(m_store->writeString("Options", "CorrectrateMode", "2"));
    ASSERT_TRUE(m_store->writeInt("Options", "LastSection", 7));
    EXPECT_FALSE(m_store->readInt("Options", "CorrectrateMode"));
    EXPECT_EQ(m_store->readInt("Options", "CorrectrateMode", -5), -5);
    EXPECT_FALSE(m_store->readString("Options", "LastSection"));
    EXPECT_EQ(m_store->readString("Options", "LastSection", ""), "");
    // Writing the other type replaces the value.
    ASSERT_TRUE(m_store->writeInt("Options", "CorrectrateMode", 1));
    EXPECT_EQ(m_store->readInt("Options", "CorrectrateMode"), 1);
    EXPECT_FALSE(m_store->readString("Options", "CorrectrateMode"));
}

TEST_P(SettingsStoreContract, NamesMatchWithoutRegardToCase)
{
    ASSERT_TRUE(m_store->writeInt("options", "kvrwindowwidth", 640));
    ASSERT_TRUE(m_store->writeInt("OPTIONS", "KvrWindowWidth", 800));
    EXPECT_EQ(m_store->readInt("Options", "KVRWINDOWWIDTH"), 800);
    EXPECT_EQ(m_store->snapshot().size(), 1u);
    EXPECT_FALSE(m_store->readInt("KvrEditor", "KvrWindowWidth"));
}

TEST_P(SettingsStoreContract, BatchAppliesInOrder)
{
    const std::vector<SettingChange> changes = {
        { "Options", "LogMode", SettingValue(3) },
        { "Options", "UserName", SettingValue(std::string("taro")) },
        { "Options", "LogMode", SettingValue(4) },
        { "Options", "UserName", std::nullopt },
    };
    ASSERT_TRUE(m_store->apply(changes));
    const CSettingsValues values = m_store->snapshot();
    EXPECT_EQ(values.readInt("Options", "LogMode"), 4);
    EXPECT_FALSE(values.contains("Options", "UserName"));
}

TEST_P(SettingsStoreContract, OddBytesSurviveInValuesAndNames)
{
    for (const std::string &text : kOddTexts) {
        SCOPED_TRACE(testing::PrintToString(text));
        ASSERT_TRUE(m_store->writeString("Options", "LastSection", text));
        ASSERT_TRUE(m_store->writeInt(text, text, 42));
        ASSERT_TRUE(m_store->writeString(text, "t", text));
        EXPECT_EQ(m_store->readString("Options", "LastSection"), text);
        EXPECT_EQ(m_store->readInt(text, text), 42);
        EXPECT_EQ(m_store->readString(text, "t"), text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stores, SettingsStoreContract,
    testing::Values(StoreKind { "Memory",
                                [](const TempFolder &) {
                                    return std::make_unique<CMemorySettingsStore>();
                                } },
                    StoreKind { "File",
                                [](const TempFolder &folder) {
                                    return std::make_unique<CFileSettingsStore>(
                                        folder.file("Ombrel Presents/Kvr.conf"));
                                } }),
    [](const auto &info) { return std::string(info.param.name); });

// --- the file ------------------------------------------------------------------------------

TEST(FileSettingsStore, EveryLineIsPrintableAsciiAndReadsBackInAFreshStore)
{
    TempFolder folder;
    CFileSettingsStore writer(folder.file("Kvr.conf"));
    for (std::size_t i = 0; i < kOddTexts.size(); ++i)
        ASSERT_TRUE(writer.writeString(kOddTexts[i], "v" + std::to_string(i), kOddTexts[i]));

    const std::string text = readWholeFile(writer.path()).value_or("");
    for (char c : text)
        EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E)) << int(c);

    CFileSettingsStore reader(folder.file("Kvr.conf"));
    for (std::size_t i = 0; i < kOddTexts.size(); ++i)
        EXPECT_EQ(reader.readString(kOddTexts[i], "v" + std::to_string(i)), kOddTexts[i]);
}

TEST(FileSettingsStore, ParseSkipsWhatItCannotReadAndKeepsTheRest)
{
    const CSettingsValues values = CSettingsValues::parse("orphan=int:1\n"
                                                          "[Options]\r\n"
                                                          "; comment=int:2\n"
                                                          "\n"
                                                          "good=int:-17\n"
                                                          "text=text:a%20b%0D%0A\n"
                                                          "overflow=int:2147483648\n"
                                                          "trailing=int:12abc\n"
                                                          "badescape=text:%4\n"
                                                          "badhex=text:%G1\n"
                                                          "unknown=dword:5\n"
                                                          "noequals\n"
                                                          "[Broken\n"
                                                          "lost=int:3\n"
                                                          "[DBv3]\n"
                                                          "filename=text:first\n"
                                                          "filename=text:second\n");
    EXPECT_EQ(values.readInt("Options", "good"), -17);
    EXPECT_EQ(values.readString("Options", "text"), "a b\r\n");
    EXPECT_EQ(values.readString("DBv3", "filename"), "second");
    EXPECT_EQ(values.size(), 3u);
}

TEST(FileSettingsStore, TwoStoresOnOneFileKeepEachOthersValues)
{
    TempFolder folder;
    CFileSettingsStore study(folder.file("Kvr.conf"));
    CFileSettingsStore editor(folder.file("Kvr.conf"));
    ASSERT_TRUE(study.writeInt("Options", "KvrWindowWidth", 700));
    ASSERT_TRUE(editor.writeInt("KvrEditor", "Pediod", 250));
    ASSERT_TRUE(study.writeString("Options", "LastSection", "A/B"));
    EXPECT_EQ(editor.readString("Options", "LastSection"), "A/B");
    EXPECT_EQ(study.readInt("KvrEditor", "Pediod"), 250);
    EXPECT_EQ(study.snapshot().size(), 3u);
}

// Every start writes the values it read back; a write that changes nothing must not cost a
// synced replace of the file.
TEST(FileSettingsStore, AWriteThatChangesNothingLeavesTheFileAlone)
{
    TempFolder folder;
    const std::string path = folder.file("Kvr.conf");
    CFileSettingsStore store(path);
    ASSERT_TRUE(store.writeString("Options", "LastSection", "A/B"));
    const auto inode = [&path] {
        struct stat info
        {
        };
        return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    };
    const auto before = inode();
    ASSERT_NE(before, 0u);
    EXPECT_TRUE(store.writeString("Options", "LastSection", "A/B"));
    EXPECT_EQ(inode(), before);
    EXPECT_TRUE(store.writeString("Options", "LastSection", "A/C"));
    EXPECT_NE(inode(), before);
    EXPECT_EQ(CFileSettingsStore(path).readString("Options", "LastSection"), "A/C");
}

TEST(FileSettingsStore, ExistingDataThatCannotBeReadIsNotReplaced)
{
    TempFolder folder;
    // A folder where the file should be: it exists but cannot be read as a file.
    std::filesystem::create_directory(folder.file("Kvr.conf"));
    CFileSettingsStore store(folder.file("Kvr.conf"));
    EXPECT_FALSE(store.writeInt("Options", "LogMode", 1));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("Kvr.conf")));
}

// Regression: a lock file left owned by another user (after one start as root) made every
// later write fail silently. A lock file that cannot be opened (here a folder in its place;
// the same open error) is reported, once, with its path.
TEST(FileSettingsStore, AFailedWriteIsReportedOnceWithItsPath)
{
    TempFolder folder;
    const std::string path = folder.file("Kvr.conf");
    CFileSettingsStore store(path);
    EXPECT_EQ(store.takeWriteFailure(), std::nullopt);
    ASSERT_TRUE(store.writeInt("Options", "LogMode", 1));
    EXPECT_EQ(store.takeWriteFailure(), std::nullopt);
    ASSERT_TRUE(std::filesystem::remove(path + ".lock"));
    std::filesystem::create_directory(path + ".lock");
    EXPECT_FALSE(store.writeInt("Options", "LogMode", 2));
    EXPECT_FALSE(store.writeInt("Options", "LogMode", 3));
    EXPECT_EQ(store.takeWriteFailure(), path + ".lock");
    EXPECT_EQ(store.takeWriteFailure(), std::nullopt); // told once
    EXPECT_EQ(
        settingsWriteFailedText("/x/Kvr.conf"),
        cp932::text("設定ファイル /x/Kvr.conf に書き込めませんでした。設定は保存されません。"));
    EXPECT_EQ(store.readInt("Options", "LogMode"), 1);
}

pid_t forkWriter(const std::function<void()> &body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        body();
        ::_exit(0);
    }
    return pid;
}

TEST(FileSettingsStore, TwoProcessesWritingAtOnceLoseNoValue)
{
    TempFolder folder;
    const std::string path = folder.file("Kvr.conf");
    constexpr int kWrites = 60;
    auto writer = [&](const std::string &subkey) {
        return [=] {
            CFileSettingsStore store(path);
            for (int i = 0; i < kWrites; ++i) {
                if (!store.writeInt(subkey, "v" + std::to_string(i), i)
                    || !store.writeString("Options", "Shared", subkey))
                    ::_exit(1);
            }
        };
    };
    const pid_t a = forkWriter(writer("Options"));
    const pid_t b = forkWriter(writer("KvrEditor"));
    for (pid_t pid : { a, b }) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const CSettingsValues values = CFileSettingsStore(path).snapshot();
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(values.readInt("Options", "v" + std::to_string(i)), i);
        EXPECT_EQ(values.readInt("KvrEditor", "v" + std::to_string(i)), i);
    }
    EXPECT_EQ(values.size(), 2u * kWrites + 1);
}

TEST(FileSettingsStore, WriterKilledMidWriteLeavesAWholeFile)
{
    TempFolder folder;
    const std::string path = folder.file("Kvr.conf");
    // Each round kills the writer at another stage of its (round + 3)-th write.
    for (int round = 0; round < kSaveStageCount; ++round) {
        const test::StageKill at { static_cast<SaveStage>(round), round + 3 };
        ASSERT_TRUE(test::killSaverAt(
            [&](int n) {
                CFileSettingsStore store(path);
                return store.writeInt("Options", "k" + std::to_string(n - 1), n - 1);
            },
            at));

        // The file is one that some write left whole: well formed, and the values present
        // are exactly the first n written, none lost between.
        const std::string text = readWholeFile(path).value_or("");
        const CSettingsValues values = CSettingsValues::parse(text);
        EXPECT_EQ(values.format(), text);
        EXPECT_GE(values.size(), std::size_t(at.occurrence - 1));
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values.readInt("Options", "k" + std::to_string(i)), int(i));

        // The dead writer's lock went with it, and the next writer clears its leftovers.
        CFileSettingsStore after(path);
        EXPECT_TRUE(after.writeInt("Options", "after", round));
        ASSERT_TRUE(after.remove("Options", "after"));
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(folder.file("")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string> { "Kvr.conf", "Kvr.conf.lock" }));
    }
}

} // namespace
} // namespace kvr
