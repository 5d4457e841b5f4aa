#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "db/question.h"
#include "drill/answerjudge.h"
#include "drill/widthfold.h"
#include "platform/cp932.h"
#include "platform/crand.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

constexpr DrillMode kJE = DrillMode::JapaneseToEnglishTyped;
constexpr DrillMode kEJ = DrillMode::EnglishToJapaneseTyped;
constexpr DrillMode kSpeed = DrillMode::SpeedReply;

CAnswerList listOf(std::initializer_list<std::string> texts)
{
    CAnswerList list;
    for (const std::string &text : texts)
        list.add(text);
    return list;
}

// The described judging, without the width folding unless asked for.
JudgeOptions options(bool ignoreCase, bool correctHead = true, int headMin = 1, bool fold = false)
{
    JudgeOptions result;
    result.ignoreCase = ignoreCase;
    result.correctHead = correctHead;
    result.headMinLength = headMin;
    result.foldWidth = fold;
    return result;
}

TEST(TrimEntry, RemovesOnlyAsciiBlanksAndTabsAtTheEnds)
{
    const struct
    {
        std::string in, out;
    } rows[] = {
        { "  run\t", "run" },
        { "\t \trun", "run" },
        { "run  ", "run" },
        { "a b", "a b" },
        { " Run ", "Run" },
        { "run" + sj("　"), "run" + sj("　") },
        { "   ", "" },
        { "", "" },
        { sj(" 表 "), sj("表") },
    };
    for (const auto &row : rows)
        EXPECT_EQ(trimEntry(row.in), row.out) << row.in;
}

TEST(PrefixMatch, CountsBytesAndKeepsCase)
{
    const struct
    {
        std::string answer, typed;
        int min;
        bool match;
    } rows[] = {
        { sj("りんご"), sj("りん"), 3, true },
        { sj("りんご"), sj("り"), 3, false },
        { sj("りんご"), sj("りんごジュース"), 3, false },
        { sj("りんご"), sj("りんご"), 3, true },
        { "apple", "app", 1, true },
        { "apple", "App", 1, false },
        { "apple", "", 0, true },
        { "apple", "", 1, false },
        { "apple", "apx", 1, false },
    };
    for (const auto &row : rows)
        EXPECT_EQ(prefixMatch(row.answer, row.typed, row.min), row.match) << row.typed;
}

TEST(AnswerList, FilledByModeUpToTheFirstEmptyTextWithoutDuplicates)
{
    CQuestion question;
    question.questionLines = { "Q1", "Q2" };
    question.answers = { "a", "b", "a", "", "e" };
    const CAnswerList je = CAnswerList::forQuestion(kJE, question);
    ASSERT_EQ(je.size(), 2);
    EXPECT_EQ(je.text(0), "a");
    EXPECT_EQ(je.text(1), "b");
    EXPECT_EQ(CAnswerList::forQuestion(kSpeed, question).size(), 2);
    const CAnswerList ej = CAnswerList::forQuestion(kEJ, question);
    ASSERT_EQ(ej.size(), 2);
    EXPECT_EQ(ej.text(1), "Q2");
    question.questionLines = { "", "Q2" };
    EXPECT_EQ(CAnswerList::forQuestion(kEJ, question).size(), 0);
    question.questionLines = { cp932::text("%ve走る"), "" };
    EXPECT_EQ(CAnswerList::forQuestion(kEJ, question).text(0), cp932::text("走る"));
}

TEST(AnswerList, MarkingCountsEachEntryOnce)
{
    CAnswerList list = listOf({ "a", "b" });
    EXPECT_FALSE(list.add("a"));
    EXPECT_EQ(list.firstPending(), 0);
    EXPECT_TRUE(list.markEntered(0));
    EXPECT_TRUE(list.markEntered(0));
    EXPECT_EQ(list.enteredCount(), 1);
    EXPECT_EQ(list.firstPending(), 1);
    EXPECT_FALSE(list.markEntered(2));
    EXPECT_FALSE(list.markEntered(-1));
    EXPECT_TRUE(list.markEntered(1));
    EXPECT_EQ(list.firstPending(), -1);
    EXPECT_EQ(list.text(5), "");
    EXPECT_EQ(list.find("A", false), -1);
    EXPECT_EQ(list.find("A", true), 0);
}

// One typed entry against one list: the verdict, its feedback and the entry it marks.
struct VerdictRow
{
    DrillMode mode;
    JudgeOptions options;
    std::vector<std::string> answers;
    std::string typed;
    TypedVerdict verdict;
    std::string feedback; // UTF-8
    int matched;
};

const char *const kPraise = "よっし、正解！";
const char *const kWrong = "ざぁ～んねん、不正解！";

// The verdicts of the described rules, with the width folding off.
const std::vector<VerdictRow> &describedRows()
{
    const JudgeOptions exact = options(false);
    const JudgeOptions loose = options(true);
    const JudgeOptions head3 = options(true, true, 3);
    using V = TypedVerdict;
    const char *const kEmpty = "おいおい！ あきらめたのかっ？";
    const char *const kCapital = "おしいっ！ ホントは１文字目が大文字だっ！！";
    const char *const kPeriod = "おしいっ！ ピリオドを忘れてるぞっ！！";
    const char *const kMark = "おしいっ！ クエスチョンマークを忘れてるぞっ！！";
    const char *const kHead = "先頭が合っていました！";
    const char *const kMore = "ほかには？";
    // clang-format off
    static const std::vector<VerdictRow> rows = {
        { kJE, loose, { "apple" }, "", V::Empty, kEmpty, -1 },
        { kJE, loose, { "apple" }, " \t ", V::Empty, kEmpty, -1 },
        { kJE, exact, { "Apple" }, "apple", V::CapitalFirst, kCapital, 0 },
        { kJE, exact, { "Apple" }, "aPPLE", V::Wrong, kWrong, -1 },
        { kJE, loose, { "apple" }, "APPLE", V::Exact, kPraise, 0 },
        { kJE, loose, { sj("ａｐｐｌｅ") }, sj("ＡＰＰＬＥ"), V::Exact, kPraise, 0 },
        { kJE, exact, { sj("ａｐｐｌｅ") }, sj("ＡＰＰＬＥ"), V::Wrong, kWrong, -1 },
        { kJE, exact, { sj("Ａpple") }, sj("ａpple"), V::Wrong, kWrong, -1 },
        { kJE, loose, { "I am." }, "I am", V::MissingPeriod, kPeriod, 0 },
        { kJE, loose, { "Are you?" }, "Are you", V::MissingQuestionMark, kMark, 0 },
        { kJE, loose, { "I am" }, "I am.", V::Wrong, kWrong, -1 },
        { kJE, exact, { "Are you?" }, "are you", V::Wrong, kWrong, -1 },
        { kJE, loose, { "run" }, "  run\t", V::Exact, kPraise, 0 },
        { kJE, loose, { "run" }, "run" + sj("　"), V::Wrong, kWrong, -1 },
        { kJE, loose, { "a", "b" }, "B", V::Exact, kMore, 1 },
        { kJE, loose, { "apple" }, "END", V::EndCommand, "", -1 },
        { kJE, loose, { "apple" }, "Exit", V::ExitCommand, "", -1 },
        { kJE, exact, { "apple" }, "exit ", V::ExitCommand, "", -1 },
        { kJE, loose, { "end" }, "END", V::Exact, kPraise, 0 },
        { kJE, exact, { "end" }, "END", V::Wrong, kWrong, -1 },
        { kJE, exact, { "exit" }, "EXIT", V::Wrong, kWrong, -1 },
        { kJE, loose, { "Wait.." }, "Wait.", V::Wrong, kWrong, -1 },
        { kJE, loose, { "Why??" }, "Why?", V::Wrong, kWrong, -1 },
        { kJE, loose, { "Why?." }, "Why?", V::MissingPeriod, kPeriod, 0 },
        { kJE, exact, { "Exit" }, "exit", V::CapitalFirst, kCapital, 0 },
        { kJE, loose, {}, "apple", V::Wrong, kWrong, -1 },
        { kJE, loose, { sj("りんご") }, sj("りん"), V::Wrong, kWrong, -1 },
        { kEJ, head3, { sj("りんご") }, sj("りん"), V::HeadMatch, kHead, 0 },
        { kEJ, head3, { sj("りんご") }, sj("りんご"), V::HeadMatch, kHead, 0 },
        { kEJ, head3, { sj("りんご") }, sj("り"), V::Wrong, kWrong, -1 },
        { kEJ, head3, { sj("りんご") }, sj("りんごジュース"), V::Wrong, kWrong, -1 },
        { kEJ, options(true, false, 3), { sj("りんご") }, sj("りんご"), V::Exact, kPraise, 0 },
        { kEJ, options(true, true, 1), { "Apple" }, "apple", V::Exact, kPraise, 0 },
        { kEJ, options(true, true, 1), { sj("あか"), sj("あお") }, sj("あお"), V::HeadMatch, kMore, 1 },
    };
    // clang-format on
    return rows;
}

// Judges row.typed on a fresh list; returns whether the width folding made it right.
bool expectVerdict(const VerdictRow &row, const JudgeOptions &opts)
{
    CAnswerList list;
    for (const std::string &answer : row.answers)
        list.add(answer);
    const TypedJudgement judgement = judgeFirstEntry(row.mode, row.typed, list, opts, 0);
    SCOPED_TRACE(cp932::toUtf8(row.typed));
    EXPECT_EQ(judgement.verdict, row.verdict);
    EXPECT_EQ(judgement.feedback, sj(row.feedback));
    EXPECT_EQ(judgement.matchedIndex, row.matched);
    EXPECT_EQ(list.isEntered(row.matched), row.matched >= 0);
    EXPECT_EQ(list.enteredCount(), row.matched >= 0 ? 1 : 0);
    return judgement.widthFolded;
}

TEST(JudgeFirstEntry, EveryVerdictWithItsFeedback)
{
    for (const VerdictRow &row : describedRows())
        EXPECT_FALSE(expectVerdict(row, row.options));
}

TEST(JudgeFirstEntry, WidthFoldingChangesNoVerdictOfAnEntryItLeavesAlone)
{
    for (const VerdictRow &row : describedRows()) {
        if (foldFullWidth(trimEntry(row.typed)) != trimEntry(row.typed))
            continue;
        JudgeOptions folding = row.options;
        folding.foldWidth = true;
        EXPECT_FALSE(expectVerdict(row, folding));
    }
}

TEST(JudgeFirstEntry, FullWidthEntriesRightOnlyOnceFolded)
{
    using V = TypedVerdict;
    const JudgeOptions exact = options(false, true, 1, true);
    const JudgeOptions loose = options(true, true, 1, true);
    const struct
    {
        VerdictRow row;
        bool folded;
    } rows[] = {
        // clang-format off
        { { kJE, loose, { "apple" }, sj("ａｐｐｌｅ"), V::Exact, kPraise, 0 }, true },
        { { kJE, loose, { "apple" }, "apple" + sj("　"), V::Exact, kPraise, 0 }, true },
        { { kJE, loose, { "apple" }, sj("　ＡＰＰＬＥ　"), V::Exact, kPraise, 0 }, true },
        { { kSpeed, loose, { "I'm here." }, sj("Ｉ’ｍ　ｈｅｒｅ．"), V::Exact, kPraise, 0 }, true },
        { { kJE, loose, { "10:30" }, sj("１０：３０"), V::Exact, kPraise, 0 }, true },
        { { kJE, exact, { "Apple" }, sj("ａｐｐｌｅ"), V::CapitalFirst,
            "おしいっ！ ホントは１文字目が大文字だっ！！", 0 }, true },
        { { kJE, exact, { "apple" }, sj("ＡＰＰＬＥ"), V::Wrong, kWrong, -1 }, false },
        { { kJE, loose, { "I am." }, sj("Ｉ　ａｍ"), V::MissingPeriod,
            "おしいっ！ ピリオドを忘れてるぞっ！！", 0 }, true },
        { { kEJ, loose, { "CD" + sj("プレーヤー") }, sj("ＣＤ"), V::HeadMatch,
            "先頭が合っていました！", 0 }, true },
        // Right as typed: the folding is not what made it right.
        { { kJE, loose, { sj("ａｐｐｌｅ") }, sj("ＡＰＰＬＥ"), V::Exact, kPraise, 0 }, false },
        { { kJE, loose, { "apple" }, sj("ａｐｐｌｅｓ"), V::Wrong, kWrong, -1 }, false },
        { { kJE, loose, { "apple" }, sj("　"), V::Wrong, kWrong, -1 }, false },
        // The commands stay half-width words.
        { { kJE, loose, { "apple" }, sj("ｅｘｉｔ"), V::Wrong, kWrong, -1 }, false },
        { { kJE, loose, { "apple" }, sj("ＥＮＤ"), V::Wrong, kWrong, -1 }, false },
        // clang-format on
    };
    for (const auto &[row, folded] : rows)
        EXPECT_EQ(expectVerdict(row, row.options), folded) << cp932::toUtf8(row.typed);

    // Switched off, the folding never happens.
    for (const auto &[row, folded] : rows) {
        if (!folded)
            continue;
        CAnswerList list;
        for (const std::string &answer : row.answers)
            list.add(answer);
        JudgeOptions off = row.options;
        off.foldWidth = false;
        EXPECT_EQ(judgeFirstEntry(row.mode, row.typed, list, off, 0).verdict, V::Wrong);
    }
}

TEST(JudgeFirstEntry, AFoldedExactAnswerDrawsTheGeneratorOnce)
{
    crt::srand(1);
    CAnswerList list = listOf({ "go" });
    const TypedJudgement judgement = judgeFirstEntry(kJE, sj("ｇｏ"), list, JudgeOptions {});
    EXPECT_TRUE(judgement.widthFolded);
    EXPECT_EQ(judgement.feedback, sj("正解だよ。調子いいんでない？")); // 41 % 3
    EXPECT_EQ(crt::rand(), 18467);
}

TEST(JudgeFirstEntry, PraiseIsPickedModuloThree)
{
    const char *praises[] = { "よっし、正解！", "それ、正解だよ。",
                              "正解だよ。調子いいんでない？" };
    for (int pick = 0; pick < 6; ++pick) {
        CAnswerList list = listOf({ "go" });
        EXPECT_EQ(judgeFirstEntry(kJE, "go", list, options(true), pick).feedback,
                  sj(praises[pick % 3]));
    }
    crt::srand(1); // the generator gives 41 first: 41 % 3 = 2
    CAnswerList list = listOf({ "go" });
    EXPECT_EQ(judgeFirstEntry(kJE, "go", list, options(true)).feedback, sj(praises[2]));
}

TEST(JudgeFirstEntry, GeneratorDrawnOnlyForExactAnswers)
{
    // Seed 1 gives 41, 18467, ...: an exact answer after other entries must still get the
    // praise of the first draw (41 % 3 = 2), and the next draw must stay 18467.
    crt::srand(1);
    CAnswerList list = listOf({ "go", "I am.", "Apple" });
    const JudgeOptions opts = options(false);
    for (const char *typed : { "", "wrong", "end", "exit", "I am", "apple" })
        judgeFirstEntry(kJE, typed, list, opts);
    EXPECT_EQ(judgeFirstEntry(kJE, "go", list, opts).feedback, sj("正解だよ。調子いいんでない？"));
    EXPECT_EQ(crt::rand(), 18467);
}

TEST(JudgeFirstEntry, SeveralAnswersNeedAllOfThemWithoutMultiJudge)
{
    CAnswerList list = listOf({ "a", "b", "c" });
    const JudgeOptions opts = options(true);
    const struct
    {
        const char *typed;
        bool complete;
        int entered;
    } steps[] = { { "a", false, 1 }, { "a", false, 1 }, { "b", false, 2 }, { "c", true, 3 } };
    for (const auto &step : steps) {
        const TypedJudgement judgement = judgeFirstEntry(kJE, step.typed, list, opts, 0);
        EXPECT_TRUE(judgement.correct()) << step.typed;
        EXPECT_EQ(judgement.complete, step.complete) << step.typed;
        EXPECT_EQ(judgement.feedback, step.complete ? sj("よっし、正解！") : sj("ほかには？"));
        EXPECT_EQ(list.enteredCount(), step.entered);
    }
}

TEST(JudgeFirstEntry, MultiJudgeCompletesQuestionsWithAtLeastNAnswers)
{
    const struct
    {
        int multiJudge, overN, answers;
        bool completeAfterOne;
    } rows[] = {
        { 1, 2, 3, true }, { 1, 2, 2, true },  { 1, 5, 3, false },
        { 1, 0, 1, true }, { 0, 2, 3, false }, { 1, 3, 1, true }, // one answer is all answers
    };
    for (const auto &row : rows) {
        CAnswerList list;
        for (int i = 0; i < row.answers; ++i)
            list.add(std::string(1, static_cast<char>('a' + i)));
        JudgeOptions opts = options(true);
        opts.multiJudge = row.multiJudge;
        opts.multiJudgeOverN = row.overN;
        EXPECT_EQ(judgeFirstEntry(kJE, "a", list, opts, 0).complete, row.completeAfterOne)
            << row.multiJudge << " " << row.overN << " " << row.answers;
    }
}

TEST(JudgeFirstEntry, WrongEntryAfterACorrectOneKeepsTheEnteredAnswers)
{
    CAnswerList list = listOf({ "a", "b" });
    judgeFirstEntry(kJE, "a", list, options(true), 0);
    const TypedJudgement judgement = judgeFirstEntry(kJE, "x", list, options(true), 0);
    EXPECT_EQ(judgement.verdict, TypedVerdict::Wrong);
    EXPECT_TRUE(list.isEntered(0));
    EXPECT_EQ(list.firstPending(), 1);
}

TEST(JudgeOptions, TakesTheSettingsAndRepairsTheRange)
{
    CKvrSettings settings;
    settings.IgnoreCase = false;
    settings.nCorrectHeadNAnswerJE = 4;
    settings.MultiJudge = 1;
    for (const auto &[stored, used] : { std::pair { 7, 1 }, { -1, 1 }, { 0, 0 }, { 5, 5 } }) {
        settings.MultiJudgeOverN = stored;
        const JudgeOptions opts = JudgeOptions::fromSettings(settings);
        EXPECT_EQ(opts.multiJudgeOverN, used);
        EXPECT_FALSE(opts.ignoreCase);
        EXPECT_EQ(opts.headMinLength, 4);
        EXPECT_EQ(opts.multiJudge, 1);
    }
}

TEST(JudgeCorrection, AnswersMustBeTypedInListOrder)
{
    CAnswerList list = listOf({ "a", "b", "c" });
    list.markEntered(0);
    const JudgeOptions opts = options(true);
    EXPECT_EQ(correctionPrompt("x"), sj("正しい答えを入力しなさい！（間違った答え：x）"));

    CorrectionJudgement step = judgeCorrection(kJE, " c ", list, opts, "x");
    EXPECT_FALSE(step.matched);
    EXPECT_EQ(step.feedback, sj("ちがう！（間違った答え：c）"));
    EXPECT_EQ(step.expected, "b");

    step = judgeCorrection(kJE, "B", list, opts, "x"); // case matters here
    EXPECT_FALSE(step.matched);

    step = judgeCorrection(kJE, "b\t", list, opts, "x");
    EXPECT_TRUE(step.matched);
    EXPECT_FALSE(step.finished);
    EXPECT_EQ(step.feedback, sj("これも入力しなさい！（最初の間違え：x）"));
    EXPECT_EQ(step.expected, "c");

    step = judgeCorrection(kJE, "c", list, opts, "x");
    EXPECT_TRUE(step.finished);
    EXPECT_EQ(step.feedback, sj("はい、ごくろうさま！"));
    EXPECT_EQ(list.enteredCount(), 3);
}

TEST(JudgeCorrection, HeadMatchOnlyInEnglishToJapaneseTyped)
{
    const struct
    {
        DrillMode mode;
        bool correctHead;
        bool matched;
    } rows[] = { { kEJ, true, true }, { kEJ, false, false }, { kJE, true, false } };
    for (const auto &row : rows) {
        CAnswerList list = listOf({ sj("りんご") });
        const CorrectionJudgement step =
            judgeCorrection(row.mode, sj("りん"), list, options(true, row.correctHead, 3), "");
        EXPECT_EQ(step.matched, row.matched);
        EXPECT_EQ(step.finished, row.matched);
    }
}

TEST(JudgeCorrection, FullWidthEntriesMatchOnceFoldedWhenSwitchedOn)
{
    const struct
    {
        DrillMode mode;
        std::string expected, typed;
        bool fold, matched, folded;
    } rows[] = {
        { kJE, "apple", sj("ａｐｐｌｅ"), true, true, true },
        { kJE, "apple", sj("ａｐｐｌｅ"), false, false, false },
        { kJE, "apple", "apple" + sj("　"), true, true, true },
        { kJE, "apple", "apple", true, true, false },
        { kJE, "Apple", sj("ａｐｐｌｅ"), true, false, false }, // still byte for byte
        { kJE, sj("ａｐｐｌｅ"), sj("ａｐｐｌｅ"), true, true, false },
        { kEJ, "CD" + sj("プレーヤー"), sj("ＣＤ"), true, true, true },
    };
    for (const auto &row : rows) {
        CAnswerList list = listOf({ row.expected });
        const CorrectionJudgement step =
            judgeCorrection(row.mode, row.typed, list, options(true, true, 1, row.fold), "x");
        SCOPED_TRACE(cp932::toUtf8(row.typed));
        EXPECT_EQ(step.matched, row.matched);
        EXPECT_EQ(step.widthFolded, row.folded);
        if (!row.matched) { // the learner sees what was typed, not its folded form
            EXPECT_EQ(step.feedback,
                      sj("ちがう！（間違った答え：") + trimEntry(row.typed) + sj("）"));
        }
    }
}

TEST(JudgeCorrection, DoubleByteTextsInTheFeedback)
{
    CAnswerList list = listOf({ sj("表") });
    const CorrectionJudgement step = judgeCorrection(kJE, sj("ソ"), list, options(true), sj("表"));
    EXPECT_EQ(step.feedback, sj("ちがう！（間違った答え：ソ）"));
    EXPECT_EQ(judgeCorrection(kJE, sj("表"), list, options(true), sj("表")).feedback,
              sj("はい、ごくろうさま！"));
}

} // namespace
} // namespace kvr
