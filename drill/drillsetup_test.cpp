#include <gtest/gtest.h>
#include <limits>
#include <numeric>
#include <set>

#include "app/kvrsettings.h"
#include "drill/drillsetup.h"
#include "drill/testsupport_drillstart.h"
#include "drill/testsupport_selection.h"
#include "platform/cp932.h"
#include "platform/crand.h"

namespace kvr {
namespace {

using selection_test::FakeClock;
using selection_test::recordIn;
using selection_test::sectionOf;

const std::string kPath = "top/words";
constexpr LogModeIndex kMode = LogModeIndex::EnglishToJapaneseTyped;

std::vector<int> range(int first, int last) // [first, last)
{
    std::vector<int> v(last - first);
    std::iota(v.begin(), v.end(), first);
    return v;
}

std::set<int> asSet(const std::vector<int> &v)
{
    return { v.begin(), v.end() };
}

// One drill of a series: set-up, first pass, and the end-of-drill advance of the series.
std::vector<int> runDrill(CSectionLog &record, const CSection &section, bool random, int count,
                          const FakeClock &clock, DrillSetup *used = nullptr)
{
    DrillSetup setup;
    setup.sectionCopy = section;
    setup.sequentialOrder = !random;
    setup.requestedCount = count;
    prepareSeries(setup, random, section.questionCount(), &record, clock);
    const std::vector<int> order = firstPassOrder(setup, clock);
    advanceSeries(record, setup.orderSeed, static_cast<int>(order.size()), setup.newSeries);
    if (used)
        *used = setup;
    return order;
}

TEST(QuestionPool, OnlyQuestionLinesAreDrawnAndDrawsFollowTheRuntimeGenerator)
{
    CSection section;
    section.lines = { "?a,,,,,b,,,", "plain", "", " ?x", "?", "?c" };
    EXPECT_EQ(buildQuestionPool(section), (std::vector<int> { 0, 4, 5 }));

    std::vector<int> pool = range(10, 20);
    crt::srand(1); // draws 41, 18467
    EXPECT_EQ(drawRandom(pool), 11);
    EXPECT_EQ(drawRandom(pool), 19); // 18467 % 9 = 8 in the shortened pool
    EXPECT_EQ(pool, (std::vector<int> { 10, 12, 13, 14, 15, 16, 17, 18 }));
    std::vector<int> empty;
    crt::srand(1);
    EXPECT_EQ(drawRandom(empty), -1);
    EXPECT_EQ(crt::rand(), 41); // an empty pool draws nothing
}

TEST(Series, RandomDrillsOfTwentyOnFiftyNeverRepeatUntilTheSeriesEnds)
{
    const CSection section = sectionOf(50);
    CSectionLog record;
    FakeClock clock(1000);
    DrillSetup setup;
    std::vector<int> all;
    const struct
    {
        int skip;
        std::size_t asked;
    } drills[] = { { 0, 20 }, { 20, 20 }, { 40, 10 } };
    for (const auto &drill : drills) {
        const auto order = runDrill(record, section, true, 20, clock, &setup);
        EXPECT_EQ(setup.orderSeed, 1000u);
        EXPECT_EQ(setup.orderSkip, drill.skip);
        EXPECT_EQ(order.size(), drill.asked);
        all.insert(all.end(), order.begin(), order.end());
        clock.set(clock.now() + 100);
    }
    EXPECT_EQ(all.size(), 50u);
    EXPECT_EQ(asSet(all), asSet(range(0, 50)));
    EXPECT_EQ(record.seriesDone, 50);

    clock.set(2000);
    EXPECT_EQ(runDrill(record, section, true, 20, clock, &setup).size(), 20u);
    EXPECT_EQ(setup.orderSeed, 2000u);
    EXPECT_EQ(setup.orderSkip, 0);
}

TEST(Series, SequentialDrillsWalkOnAndTheOtherKindStartsFromItsBeginning)
{
    const CSection section = sectionOf(50);
    CSectionLog record;
    FakeClock clock(700);
    for (const auto &expected : { range(0, 20), range(20, 40), range(40, 50), range(0, 20) })
        EXPECT_EQ(runDrill(record, section, false, 20, clock), expected);

    // After a random series of 20, a sequential drill starts at 0 without touching the
    // series' progress, so it stores 40 and the next sequential drill starts at 40.
    record = {};
    runDrill(record, section, true, 20, clock);
    EXPECT_EQ(runDrill(record, section, false, 20, clock), range(0, 20));
    EXPECT_EQ(record.seriesSeed, 0u);
    EXPECT_EQ(record.seriesDone, 40);
    const CSectionLog afterMixed = record;
    EXPECT_EQ(runDrill(record, section, false, 20, clock), range(40, 50));
    record = afterMixed;

    // A random drill after a sequential series is a new series, also counted from 0.
    clock.set(900);
    DrillSetup setup;
    const auto first = runDrill(record, section, true, 20, clock, &setup);
    EXPECT_EQ(setup.orderSeed, 900u);
    EXPECT_EQ(setup.orderSkip, 0);
    const auto next = runDrill(record, section, true, 20, clock, &setup);
    EXPECT_EQ(setup.orderSkip, 20);
    std::set<int> both = asSet(first);
    both.insert(next.begin(), next.end());
    EXPECT_EQ(both.size(), 40u);
}

TEST(Series, HistoryIsFoundByLearnerAndModeAndItsAbsenceIsSilent)
{
    FakeClock clock(4242);
    CAnswerLog log;
    CSectionLog &record = recordIn(log, kPath, kMode);
    record.seriesSeed = 77;
    record.seriesDone = 10;
    auto skipFor = [&](const char *user, int logMode) {
        CKvrSettings settings;
        settings.UserName = user;
        settings.LogMode = logMode;
        DrillSetup setup;
        setup.sectionPath = kPath;
        prepareSeries(setup, true, 50, log, settings, clock);
        EXPECT_EQ(setup.orderSeed, setup.orderSkip ? 77u : 4242u);
        return setup.orderSkip;
    };
    EXPECT_EQ(skipFor("learner", int(kMode)), 10);
    EXPECT_EQ(skipFor("nobody", int(kMode)), 0);
    EXPECT_EQ(skipFor("learner", 0), 0);
    EXPECT_EQ(skipFor("learner", 9), 0);
}

TEST(FirstPass, CountIsLoweredAndSelectionsDropWhatIsNoQuestion)
{
    FakeClock clock;
    const std::vector<int> none;
    const std::vector<int> picked = { 8, 3, 2, 99, -1, 6 };
    const std::vector<int> all = { 0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    const struct
    {
        bool sequential;
        int requested;
        const std::vector<int> &selection;
        std::vector<int> expected; // in order when sequential, else sorted
    } rows[] = {
        { false, 30, none, all },
        { true, -1, none, all },
        { true, 5, none, { 0, 1, 2, 4, 5 } },
        { false, 0, none, {} },
        { true, -1, picked, { 8, 2, 6 } },
        { true, 2, picked, { 8, 2 } },
        { false, -1, picked, { 2, 6, 8 } },
    };
    for (const auto &row : rows) {
        DrillSetup setup;
        setup.sectionCopy = sectionOf(13);
        setup.sectionCopy.lines[3] = "not a question";
        setup.sequentialOrder = row.sequential;
        setup.requestedCount = row.requested;
        setup.selection = row.selection;
        setup.orderSkip = row.selection.empty() ? 0 : 2; // ignored with a selection
        setup.orderSeed = 5;
        std::vector<int> order = firstPassOrder(setup, clock);
        if (!row.sequential)
            std::sort(order.begin(), order.end());
        EXPECT_EQ(order, row.expected) << row.requested;
    }
}

TEST(FirstPass, BothOrdersReseedFromTheClock)
{
    FakeClock clock(31337);
    crt::srand(31337);
    const int expected = crt::rand();
    for (bool sequential : { false, true }) {
        DrillSetup setup;
        setup.sectionCopy = sectionOf(10);
        setup.sequentialOrder = sequential;
        setup.orderSeed = sequential ? 0 : 3;
        firstPassOrder(setup, clock);
        EXPECT_EQ(crt::rand(), expected) << sequential;
    }
}

QuestionTally tally(std::initializer_list<std::int32_t> values)
{
    QuestionTally t;
    std::copy(values.begin(), values.end(), t.values);
    return t;
}

TEST(SelectWeakest, OrdersByRateWithUnansweredFirstOrLastByBasis)
{
    const CSection section = sectionOf(6);
    const std::vector<QuestionTally> tallies = {
        tally({ 1, 1, 0, 0 }), // first 1/2, no retry data
        tally({ 0, 3, 2, 2 }), // first 0/3, retry 2/4
        tally({}), // never answered
        tally({ 3, 1, 0, 4, 0, 0, 1, 0 }), // first 3/4, retry 1/5 with the adjustment
        tally({ 0, 0, 0, 0, 0, -3 }), // a negative total is no data either
        // position 5 lies beyond the tallies: all zero
    };
    const struct
    {
        RateBasis basis;
        std::vector<int> expected;
    } rows[] = {
        { RateBasis::FirstAnswers, { 2, 4, 5, 1, 0, 3 } },
        { RateBasis::Retries, { 3, 1, 0, 2, 4, 5 } },
        { RateBasis::Both, { 2, 4, 5, 1, 3, 0 } }, // 2/7, 4/9, 1/2
    };
    for (const auto &row : rows) {
        EXPECT_EQ(selectWeakest(section, tallies, 10, row.basis), row.expected);
        EXPECT_EQ(selectWeakest(section, tallies, 2, row.basis),
                  std::vector<int>(row.expected.begin(), row.expected.begin() + 2));
    }
    EXPECT_EQ(rateBasisFromSetting(1), RateBasis::Retries);
}

// Tallies up to the 32-bit limit load from a valid log; their rates must still order.
TEST(SelectWeakest, TalliesAtTheIntegerLimitStillOrderByRate)
{
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const CSection section = sectionOf(3);
    const std::vector<QuestionTally> tallies = {
        tally({ big, 0, big, 0, big, 0, big, 0 }), // always right
        tally({ big, big, big, big, big, big, big, big }), // right half of the time
        tally({ big, 1, big, 1, big, 0, big, 0 }), // right all but twice
    };
    for (RateBasis basis : { RateBasis::FirstAnswers, RateBasis::Retries, RateBasis::Both })
        EXPECT_EQ(selectWeakest(section, tallies, 3, basis), (std::vector<int> { 1, 2, 0 }));
    EXPECT_EQ(rateBasisFromSetting(7), RateBasis::Both);
}

TEST(LastDrill, RebuildsTheLastSequentialOrRandomDrill)
{
    const CSection section = sectionOf(50);
    FakeClock clock(123);
    CSectionLog record;
    record.seriesDone = 20; // an earlier sequential drill of 20
    runDrill(record, section, false, 20, clock);
    EXPECT_EQ(lastDrillSelection(&record, &section).selection, range(20, 40));

    record = {};
    runDrill(record, section, true, 20, clock);
    const auto second = runDrill(record, section, true, 15, clock);
    const RepeatSelection last = lastDrillSelection(&record, &section);
    EXPECT_TRUE(last.ok());
    EXPECT_EQ(last.selection, second);
}

TEST(LastDrill, ExplainsWhyThereIsNoSelection)
{
    const CSection section = sectionOf(5);
    const struct
    {
        int done, last;
        bool hasSection;
        const char *message;
    } rows[] = {
        { 3, 0, true, "前回の学習問題数は 0 でした。" },
        { 0, 3, true, "前回の学習問題数は 0 でした。" },
        { 2, 3, true, "前回の学習数を計算できませんでした。" },
        { 3, 3, false, "問題集を取得できませんでした。" },
    };
    for (const auto &row : rows) {
        CSectionLog record;
        record.seriesDone = row.done;
        record.lastSeriesCount = row.last;
        const auto result = lastDrillSelection(&record, row.hasSection ? &section : nullptr);
        EXPECT_EQ(result.message, cp932::text(row.message));
        EXPECT_TRUE(result.selection.empty());
    }
    const std::string never = cp932::text("まだ学習していません。");
    EXPECT_EQ(lastDrillSelection(nullptr, &section).message, never);

    CSectionLog record;
    EXPECT_EQ(lastMissedSelection(nullptr).message, never);
    EXPECT_EQ(lastMissedSelection(&record).message, cp932::text("前回は全問正解です！"));
    record.lastMissed = { 7, 2 };
    EXPECT_EQ(lastMissedSelection(&record).selection, (std::vector<int> { 7, 2 }));
}

TEST(SetupDialogs, OrderRowsCountStartAndAcceptance)
{
    EXPECT_EQ(orderDlgSequential(0), std::optional<bool>(true));
    EXPECT_EQ(orderDlgSequential(kOrderDlgInitialItem), std::optional<bool>(false));
    EXPECT_EQ(orderDlgSequential(-1), std::nullopt);
    EXPECT_EQ(countDlgInitialValue(20, 50), 20);
    EXPECT_EQ(countDlgInitialValue(20, 12), 12);
    for (const auto &[value, ok] :
         { std::pair { 0, false }, { 1, true }, { 1000, true }, { 1001, false }, { -1, false } })
        EXPECT_EQ(countDlgAccepts(value), ok) << value;
    EXPECT_EQ(countDlgRangeLabel(37), cp932::text("(1～37)"));
}

struct StartFixture
{
    CFolder root;
    CAnswerLog log;
    CKvrSettings settings;
    test::ScriptedStartPrompter prompter; // count 20
    FakeClock clock { 5000 };
    CSectionLog *record = nullptr;

    StartFixture()
    {
        CFolder &top = root.addFolder();
        top.name = "top";
        top.addSection() = sectionOf(12, "words");
        settings.UserName = "learner";
        prompter.count = 20;
        record = &recordIn(log, kPath, kMode); // the drill's own mode, not LogMode
        record->seriesSeed = 88;
        record->seriesDone = 4;
    }
    DrillStart start(int count = -1, std::vector<int> selection = {}, std::string path = kPath)
    {
        const DrillStartRequest request { path, toDrillMode(kMode), count, selection };
        return startDrill(request, root, log, settings, prompter, clock);
    }
};

TEST(StartDrill, FillsTheSetupAndContinuesTheSeries)
{
    StartFixture f;
    f.settings.IsRandomMistakeReply = true;
    const DrillStart start = f.start();
    ASSERT_EQ(start.outcome, DrillStartOutcome::Ready);
    EXPECT_EQ(f.prompter.asked, (std::vector<std::string> { "order", "count 12 12" }));
    const DrillSetup &setup = start.setup;
    EXPECT_EQ(setup.sectionPath, kPath);
    EXPECT_EQ(setup.sectionCopy, sectionOf(12, "words"));
    EXPECT_EQ(setup.drillMode, toDrillMode(kMode));
    EXPECT_TRUE(setup.randomRetryOrder);
    EXPECT_EQ(setup.requestedCount, 20);
    EXPECT_EQ(setup.orderSeed, 88u);
    EXPECT_EQ(setup.orderSkip, 4);
    EXPECT_FALSE(setup.newSeries);

    // A finished series starts anew, but the record keeps its count until a drill of the
    // new series is recorded.
    StartFixture h;
    h.record->seriesDone = 12;
    const DrillStart fresh = h.start();
    EXPECT_EQ(fresh.setup.orderSeed, 5000u);
    EXPECT_EQ(fresh.setup.orderSkip, 0);
    EXPECT_TRUE(fresh.setup.newSeries);
    EXPECT_EQ(h.record->seriesDone, 12);

    // A selection takes a fresh seed and leaves the series alone.
    StartFixture g;
    const DrillStart picked = g.start(-1, { 5, 6 });
    EXPECT_EQ(picked.setup.orderSeed, 5000u);
    EXPECT_EQ(picked.setup.orderSkip, 0);
    EXPECT_EQ(g.record->seriesDone, 4);
}

TEST(StartDrill, DialogsFollowTheSettingsCountAndSelection)
{
    const struct
    {
        bool showOrder, showCount, isSequencial;
        int count;
        std::vector<int> selection;
        std::size_t asked;
        bool sequential;
        int requested;
    } rows[] = {
        { false, true, true, -1, {}, 1, true, 20 },
        { true, true, true, 7, {}, 1, false, 7 },
        { true, true, false, -1, { 3, 1 }, 1, false, -1 },
        { true, false, false, -1, {}, 1, false, -1 },
    };
    for (const auto &row : rows) {
        StartFixture f;
        f.settings.ShowConfirmOrderDlg = row.showOrder;
        f.settings.ShowCorrectNumbersDlg = row.showCount;
        f.settings.IsSequencial = row.isSequencial;
        const DrillStart start = f.start(row.count, row.selection);
        ASSERT_EQ(start.outcome, DrillStartOutcome::Ready);
        EXPECT_EQ(f.prompter.asked.size(), row.asked);
        EXPECT_EQ(start.setup.sequentialOrder, row.sequential);
        EXPECT_EQ(start.setup.requestedCount, row.requested);
        EXPECT_EQ(start.setup.selection, row.selection);
    }
}

TEST(StartDrill, CancelsAndMissingCollectionsStartNothing)
{
    for (bool cancelOrder : { true, false }) {
        StartFixture f;
        f.record->seriesDone = 12; // a new series, yet nothing changes before it is recorded
        if (cancelOrder)
            f.prompter.order.reset();
        else
            f.prompter.count.reset();
        EXPECT_EQ(f.start().outcome, DrillStartOutcome::Cancelled);
        EXPECT_EQ(f.prompter.asked.size(), cancelOrder ? 1u : 2u);
        EXPECT_EQ(f.record->seriesDone, 12);
    }
    StartFixture f;
    const DrillStart start = f.start(-1, {}, "top/nothing");
    EXPECT_EQ(start.outcome, DrillStartOutcome::SectionMissing);
    EXPECT_EQ(start.message,
              cp932::text("問題集を取得できませんでした。(section top/nothingnot found.)"));
    EXPECT_TRUE(f.prompter.asked.empty());
}

} // namespace
} // namespace kvr
