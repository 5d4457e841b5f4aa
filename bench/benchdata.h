#pragma once

// The large data the benchmarks work on, made the same way by every benchmark: a question
// database of 2,000 collections and 100,000 questions, and an answer-history log of 50
// learners with 400 records of 500 questions each (about 187 MB as text).

#include <cstdint>
#include <string>
#include <vector>

#include "db/question.h"
#include "db/questiondatabase.h"
#include "history/answerlog.h"
#include "platform/cp932.h"

namespace kvr::bench {

constexpr int kTopFolders = 20;
constexpr int kSubFolders = 4;
constexpr int kSectionsPerFolder = 20; // in each top folder and each subfolder
constexpr int kQuestionsPerSection = 50; // 2,000 collections, 100,000 questions

constexpr int kLogLearners = 50;
constexpr int kLogRecords = 400;
constexpr int kLogQuestions = 500;

struct SampleWords
{
    std::vector<std::string> english;
    std::vector<std::string> japanese; // CP932
};

inline const SampleWords &sampleWords()
{
    static const SampleWords w = [] {
        SampleWords result;
        for (const char *e :
             { "apple", "take off", "government", "reluctant", "in spite of", "environment",
               "carry out", "a great deal of", "necessary", "look forward to" })
            result.english.emplace_back(e);
        for (const char *j :
             { "りんご", "離陸する；（服を）脱ぐ", "政府", "気が進まない", "～にもかかわらず",
               "環境", "実行する", "たくさんの", "必要な、なくてはならない", "～を楽しみに待つ" })
            result.japanese.push_back(kvr::cp932::text(j));
        return result;
    }();
    return w;
}

// Question n: a Japanese question, one or two English answers, now and then a second
// question line, a hint or a voice file.
inline CQuestion sampleQuestion(int n)
{
    const SampleWords &w = sampleWords();
    CQuestion q;
    const std::size_t k = static_cast<std::size_t>(n) % w.english.size();
    q.answers[0] = w.english[k];
    if (n % 3 == 0)
        q.answers[1] = w.english[(k + 1) % w.english.size()] + "s";
    q.questionLines[0] = "%no" + w.japanese[k];
    if (n % 7 == 0)
        q.questionLines[1] = w.japanese[(k + 3) % w.japanese.size()];
    if (n % 4 == 0)
        q.hints[0] = w.japanese[(k + 5) % w.japanese.size()];
    if (n % 11 == 0)
        q.wavFile = "word" + std::to_string(n) + ".wav";
    return q;
}

inline std::string sampleQuestionLine(int n)
{
    return formatQuestionLine(sampleQuestion(n));
}

// Collection number index with its header and kQuestionsPerSection questions.
inline void fillSampleSection(CSection &section, int index)
{
    section.name = cp932::text("第") + std::to_string(index) + cp932::text("課");
    section.header.headerFields[0] = "various members";
    section.header.headerFields[1] = cp932::text("入力者") + std::to_string(index % 9);
    if (index % 5 == 0)
        section.header.notes.push_back(cp932::text("重要語句を含む"));
    for (int i = 0; i < kQuestionsPerSection; ++i)
        section.appendLine(sampleQuestionLine(index * kQuestionsPerSection + i));
}

// kTopFolders folders of kSectionsPerFolder collections, each with kSubFolders subfolders
// of as many collections.
inline CQuestionDatabase makeSampleDatabase()
{
    CQuestionDatabase db;
    db.preamble.push_back("; generated");
    int sectionIndex = 0;
    const auto fillFolder = [&sectionIndex](CFolder &folder) {
        for (int i = 0; i < kSectionsPerFolder; ++i)
            fillSampleSection(folder.addSection(), sectionIndex++);
    };
    for (int f = 0; f < kTopFolders; ++f) {
        CFolder &top = db.root.addFolder();
        top.name = cp932::text("英単語") + std::to_string(f);
        fillFolder(top);
        for (int s = 0; s < kSubFolders; ++s) {
            CFolder &sub = top.addFolder();
            sub.name = cp932::text("レベル") + std::to_string(s);
            fillFolder(sub);
        }
    }
    return db;
}

// Learners "learner0" … with small counts as a learner's history has them; adjustments
// mostly 0, some negative.
inline CAnswerLog makeSampleLog()
{
    std::uint32_t state = 12345;
    auto next = [&state](std::uint32_t range) {
        state = state * 214013u + 2531011u;
        return static_cast<std::int32_t>((state >> 16) % range);
    };
    CAnswerLog log;
    for (int u = 0; u < kLogLearners; ++u) {
        CUserLog &user = log.addUserLog("learner" + std::to_string(u));
        for (int s = 0; s < kLogRecords; ++s) {
            CSectionLog r;
            r.sectionName = "Folder" + std::to_string(s / 5) + "/Section" + std::to_string(s);
            for (int k = 0; k < 20; ++k) {
                const std::int32_t start = 1700000000 + next(30000000);
                addDrillRun(
                    r, DrillRunRecord { next(50), next(20), start, start + next(900), next(2000) });
            }
            r.tallies().resize(kLogQuestions);
            for (QuestionTally &t : r.tallies()) {
                t.values[0] = next(40);
                t.values[1] = next(15);
                t.values[2] = next(6);
                t.values[3] = next(4);
                if (next(10) == 0)
                    t.values[4] = next(21) - 10;
            }
            r.seriesSeed = static_cast<std::uint32_t>(next(32768)) << 16;
            r.seriesDone = next(500);
            r.lastSeriesCount = 20;
            for (int k = 0; k < 10; ++k)
                r.lastMissed.push_back(next(kLogQuestions));
            user.sections.push_back(std::move(r));
        }
    }
    return log;
}

} // namespace kvr::bench
