// Every whole-file save must survive the saving process being killed at any moment: a child
// saves the new and the old content in turn and is killed exactly when one of its saves
// reaches a stage of the atomic replace (temporary file created, written, flushed, renamed);
// the file must then hold the complete old or the complete new content. Every stage is hit
// kKillsPerStage times, alternately in a save of the new content over the old one and of the
// old over the new.
//
// A kill before the rename leaves the save's temporary file beside the target, named
// "<file>.tmp-<pid>-<counter>"; the next save removes it, and that is checked after each kill.
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "app/webdictionary.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_savekill.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::countTemporaries;
using test::killSaverAt;

constexpr int kKillsPerStage = 6;

enum class Content { Old = 0, New = 1, Neither = 2 };

struct SavedFile
{
    std::string path;
    // Saves the old (0) or the new (1) content; false when the save failed.
    std::function<bool(int)> save;
    // What the file holds now.
    std::function<Content()> read;
};

struct StageCounts
{
    int kills = 0;
    int found[3] = {};
    int leftovers = 0; // temporary files a killed save left behind
};

const char *const kStageNames[kSaveStageCount] = { "created", "written", "flushed", "renamed" };

void killAtEveryStage(const SavedFile &file)
{
    std::array<StageCounts, kSaveStageCount> counts {};
    for (int s = 0; s < kSaveStageCount; ++s) {
        const auto stage = static_cast<SaveStage>(s);
        for (int k = 0; k < kKillsPerStage; ++k) {
            ASSERT_TRUE(file.save(0));
            // Occurrence 1 lands in a save of the new content, 2 in the old one's after it.
            const auto newThenOld = [&](int n) { return file.save(n % 2); };
            ASSERT_TRUE(killSaverAt(newThenOld, { stage, 1 + k % 2 }))
                << "the saver ended by itself (a save failed?) before " << kStageNames[s];
            StageCounts &here = counts[s];
            ++here.kills;
            const Content found = file.read();
            ++here.found[static_cast<int>(found)];
            EXPECT_NE(found, Content::Neither) << "killed when " << kStageNames[s];
            here.leftovers += countTemporaries(file.path);
            ASSERT_TRUE(file.save(0));
            EXPECT_EQ(countTemporaries(file.path), 0) << "the next save left the dead one's file";
        }
    }
    for (int s = 0; s < kSaveStageCount; ++s) {
        const StageCounts &here = counts[s];
        std::printf("killed when %s: %d kills, old %d, new %d, neither %d; %d temporary files "
                    "left behind, removed by the next save\n",
                    kStageNames[s], here.kills, here.found[0], here.found[1], here.found[2],
                    here.leftovers);
        EXPECT_EQ(here.kills, kKillsPerStage) << kStageNames[s];
    }
}

Content byBytes(const std::string &path, const std::string &oldBytes, const std::string &newBytes)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (bytes == oldBytes)
        return Content::Old;
    if (bytes == newBytes)
        return Content::New;
    return Content::Neither;
}

CQuestionDatabase sampleDatabase(int collections, const std::string &word)
{
    CQuestionDatabase database;
    database.preamble = { "# " + word };
    CFolder &folder = database.root.addFolder();
    folder.name = cp932::text("英単語");
    for (int c = 0; c < collections; ++c) {
        CSection &section = folder.addSection();
        section.name = word + " " + std::to_string(c);
        section.header.notes = { cp932::text("ノート") };
        for (int q = 0; q < 60; ++q)
            section.lines.push_back("?" + word + std::to_string(q) + ",,,,," + cp932::text("意味")
                                    + std::to_string(q) + ",hint,,");
    }
    return database;
}

CAnswerLog sampleLog(int records, std::int32_t base)
{
    CAnswerLog log;
    CUserLog &user = log.addUserLog("learner");
    for (int r = 0; r < records; ++r) {
        CSectionLog &record =
            obtainSectionLog(user, "A/" + std::to_string(r), LogModeIndex::JapaneseToEnglishTyped);
        for (int run = 0; run < 20; ++run)
            addDrillRun(record, { base + run, run, 1700000000 + run, 1700000100 + run, 77 });
        for (int q = 0; q < 40; ++q)
            setTally(record, q, QuestionTally::FirstCorrect, base + q);
        record.lastMissed = { 1, 2, base };
    }
    return log;
}

TEST(SaveKill, Database)
{
    TempFolder folder;
    const std::string path = folder.file("DBv3.kvr");
    const CQuestionDatabase databases[2] = { sampleDatabase(30, "old"), sampleDatabase(18, "new") };
    const std::string oldBytes = formatDatabase(databases[0]);
    const std::string newBytes = formatDatabase(databases[1]);
    const SavedFile file { path, [&](int which) { return writeDatabase(databases[which], path); },
                           [&] {
                               const Content found = byBytes(path, oldBytes, newBytes);
                               CQuestionDatabase read;
                               const bool complete = readDatabase(read, path);
                               if (found == Content::Neither || !complete
                                   || !(read == databases[static_cast<int>(found)]))
                                   return Content::Neither;
                               return found;
                           } };
    killAtEveryStage(file);
}

TEST(SaveKill, AnswerLog)
{
    TempFolder folder;
    const std::string path = folder.file("translog.txt");
    const CAnswerLog logs[2] = { sampleLog(60, 5), sampleLog(35, 9) };
    const std::string oldBytes = logs[0].formatAnswerLog();
    const std::string newBytes = logs[1].formatAnswerLog();
    const SavedFile file { path, [&](int which) { return logs[which].saveAnswerLog(path); },
                           [&] {
                               const Content found = byBytes(path, oldBytes, newBytes);
                               CAnswerLog read;
                               if (found == Content::Neither || !read.loadAnswerLog(path)
                                   || read.users != logs[static_cast<int>(found)].users)
                                   return Content::Neither;
                               return found;
                           } };
    killAtEveryStage(file);
}

TEST(SaveKill, Settings)
{
    TempFolder folder;
    const std::string path = folder.file("Kvr.conf");
    CKvrSettings settings[2];
    settings[0].InstallPath = "/opt/old";
    settings[0].UserName = "old";
    settings[1].InstallPath = "/opt/new";
    settings[1].UserName = cp932::text("新しい学習者");
    settings[1].LastSection = cp932::text("英単語/中学１年");
    settings[1].KvrWindowWidth = 1024;
    std::string bytes[2];
    for (int i = 0; i < 2; ++i) {
        CMemorySettingsStore memory;
        ASSERT_TRUE(settings[i].saveAll(memory));
        bytes[i] = memory.snapshot().format();
    }
    const SavedFile file { path,
                           [&](int which) {
                               CFileSettingsStore store(path);
                               return settings[which].saveAll(store);
                           },
                           [&] { return byBytes(path, bytes[0], bytes[1]); } };
    killAtEveryStage(file);
}

// The whole list goes in one replace of the file; written key by key, a kill between two
// writes left old and new sites mixed.
TEST(SaveKill, WebDictionaries)
{
    TempFolder folder;
    const std::string path = folder.file("webdic.ini");
    std::vector<WebDictionary> lists[2];
    for (int i = 0; i < 4; ++i)
        lists[0].push_back({ i % 3, true, "old " + std::to_string(i), "https://old/?q=", "" });
    for (int i = 0; i < 7; ++i)
        lists[1].push_back({ 2 - i % 3, i % 2 == 0, "new " + std::to_string(i), "https://new/",
                             "&x=" + std::to_string(i) });
    const SavedFile file { path,
                           [&](int which) { return writeWebDictionaries(lists[which], path); },
                           [&] {
                               std::vector<WebDictionary> read;
                               readWebDictionaries(read, path);
                               if (read == lists[0])
                                   return Content::Old;
                               return read == lists[1] ? Content::New : Content::Neither;
                           } };
    killAtEveryStage(file);
}

} // namespace
} // namespace kvr
