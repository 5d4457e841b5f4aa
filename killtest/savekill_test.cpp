// Every whole-file save must survive the saving process being killed at any moment: a child
// saves the old and the new content in turn until it gets SIGKILL at a random time, and the
// file must then hold the complete old or the complete new content. Each kind of file is
// killed up to kMaxKills times within kBudget.
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/kvrsettings.h"
#include "app/webdictionary.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMaxKills = 100;
constexpr auto kBudget = std::chrono::seconds(15);

enum class Content { Old = 0, New = 1, Neither = 2 };

struct SavedFile
{
    std::string path;
    // Saves the old (0) or the new (1) content; false when the save failed.
    std::function<bool(int)> save;
    // What the file holds now.
    std::function<Content()> read;
};

struct KillCounts
{
    int kills = 0;
    int found[3] = {};
    int leftovers = 0; // temporary files a killed save left behind
};

// Temporary files beside the target, removed so that they cannot pile up from kill to kill.
int removeLeftovers(const std::string &path)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const std::string prefix = target.filename().string() + ".";
    int count = 0;
    for (const auto &entry : fs::directory_iterator(target.parent_path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && !name.ends_with(".lock")) {
            fs::remove(entry.path());
            ++count;
        }
    }
    return count;
}

Clock::duration timeOfOneSave(const SavedFile &file)
{
    const auto start = Clock::now();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(file.save(i % 2));
    return (Clock::now() - start) / 4;
}

// Starts a child that saves new, old, new, … without end and kills it after delay.
int killOneSaver(const SavedFile &file, Clock::duration delay)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        (void)!::write(ready[1], "r", 1);
        for (int i = 1;; ++i) {
            if (!file.save(i % 2))
                ::_exit(3);
        }
    }
    ::close(ready[1]);
    char byte;
    (void)!::read(ready[0], &byte, 1);
    ::close(ready[0]);
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

KillCounts killWhileSaving(const SavedFile &file)
{
    KillCounts counts;
    EXPECT_TRUE(file.save(0));
    // Kill moments spread over about two saves, so every part of a save is hit.
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(timeOfOneSave(file));
    std::mt19937 random(12345);
    std::uniform_int_distribution<long> moment(0, std::max<long>(2 * span.count(), 200));
    const auto end = Clock::now() + kBudget;
    while (counts.kills < kMaxKills && Clock::now() < end) {
        const int status = killOneSaver(file, std::chrono::microseconds(moment(random)));
        ++counts.kills;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saver ended by itself (a save failed?), status " << status;
        const Content found = file.read();
        ++counts.found[static_cast<int>(found)];
        EXPECT_NE(found, Content::Neither) << "after kill " << counts.kills;
        if (found == Content::Neither)
            break;
        counts.leftovers += removeLeftovers(file.path);
    }
    std::printf("%d kills: old %d, new %d, neither %d; %d temporary files left behind\n",
                counts.kills, counts.found[0], counts.found[1], counts.found[2], counts.leftovers);
    return counts;
}

void expectBothSeen(const KillCounts &counts)
{
    EXPECT_GE(counts.kills, 20);
    // Kills that only ever found one content would not have hit the saves at all.
    EXPECT_GT(counts.found[0], 0);
    EXPECT_GT(counts.found[1], 0);
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
    expectBothSeen(killWhileSaving(file));
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
    expectBothSeen(killWhileSaving(file));
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
    expectBothSeen(killWhileSaving(file));
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
    expectBothSeen(killWhileSaving(file));
}

} // namespace
} // namespace kvr
