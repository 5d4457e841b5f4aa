#include "drill/drillsetup.h"

#include <algorithm>

#include "app/kvrsettings.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/crand.h"
#include "platform/error.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

bool isQuestionLine(const CSection &section, int position)
{
    return position >= 0 && static_cast<std::size_t>(position) < section.lines.size()
        && !section.lines[position].empty() && section.lines[position][0] == '?';
}

std::uint32_t timeSeed(const IClock &clock)
{
    return static_cast<std::uint32_t>(clock.now());
}

} // namespace

std::vector<int> buildQuestionPool(const CSection &section)
{
    std::vector<int> pool;
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        if (isQuestionLine(section, static_cast<int>(i)))
            pool.push_back(static_cast<int>(i));
    }
    return pool;
}

int drawRandom(std::vector<int> &pool)
{
    if (pool.empty())
        return -1;
    const std::size_t k = static_cast<std::size_t>(crt::rand()) % pool.size();
    const int position = pool[k];
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(k));
    return position;
}

std::optional<LogModeIndex> logModeFromSetting(int logMode)
{
    if (logMode < 0 || logMode >= kDrillModeCount)
        return std::nullopt;
    return static_cast<LogModeIndex>(logMode);
}

void prepareSeries(DrillSetup &setup, bool random, int questionCount, const CSectionLog *record,
                   const IClock &clock)
{
    setup.newSeries = false;
    if (record && record->seriesDone > 0 && record->seriesDone < questionCount) {
        const bool randomSeries = record->seriesSeed != 0;
        if (randomSeries) {
            // A sequential drill in the middle of a random series starts at the top and
            // leaves the series' progress as it is.
            setup.orderSeed = random ? record->seriesSeed : 0;
            setup.orderSkip = random ? record->seriesDone : 0;
            return;
        }
        if (!random) {
            setup.orderSeed = 0;
            setup.orderSkip = record->seriesDone;
            return;
        }
    }
    // A new series counts from zero, also when it follows a series of the other kind:
    // otherwise the end-of-drill advance would add to the old count and cut the new
    // permutation short, repeating questions. The record keeps its count until the drill
    // is recorded.
    setup.newSeries = true;
    setup.orderSeed = random ? timeSeed(clock) : 0;
    setup.orderSkip = 0;
}

void prepareSeries(DrillSetup &setup, bool random, int questionCount, const CAnswerLog &log,
                   const CKvrSettings &settings, const IClock &clock)
{
    const CSectionLog *record = nullptr;
    if (const auto mode = logModeFromSetting(settings.LogMode))
        record = findLearnerRecord(log, settings.UserName, setup.sectionPath, *mode);
    prepareSeries(setup, random, questionCount, record, clock);
}

namespace {

BasisRate rateOf(const std::vector<QuestionTally> &tallies, int position, RateBasis basis)
{
    if (position < 0 || static_cast<std::size_t>(position) >= tallies.size())
        return {};
    return basisRate(basisCounts(tallies[static_cast<std::size_t>(position)], basis));
}

} // namespace

std::vector<int> selectWeakest(const CSection &section, const std::vector<QuestionTally> &tallies,
                               int n, RateBasis basis)
{
    struct Entry
    {
        int position;
        BasisRate rate;
    };
    std::vector<Entry> entries;
    for (int position : buildQuestionPool(section))
        entries.push_back({ position, rateOf(tallies, position, basis) });

    const bool unansweredFirst = basis != RateBasis::Retries;
    auto before = [unansweredFirst](const Entry &a, const Entry &b) {
        if (a.rate.rated() != b.rate.rated())
            return unansweredFirst ? !a.rate.rated() : a.rate.rated();
        if (!a.rate.rated())
            return false;
        return a.rate.lowerThan(b.rate);
    };
    std::stable_sort(entries.begin(), entries.end(), before);

    std::vector<int> result;
    for (const Entry &entry : entries) {
        if (static_cast<int>(result.size()) >= n)
            break;
        result.push_back(entry.position);
    }
    return result;
}

std::vector<int> firstPassOrder(const DrillSetup &setup, const IClock &clock)
{
    crt::srand(setup.orderSeed);
    const int questionCount = setup.sectionCopy.questionCount();
    int count =
        setup.requestedCount < 0 ? questionCount : std::min(setup.requestedCount, questionCount);
    int skip = setup.orderSkip;

    std::vector<int> pool;
    if (setup.selection.empty()) {
        pool = buildQuestionPool(setup.sectionCopy);
    } else {
        // A stored selection may name lines that were edited away since.
        for (int position : setup.selection) {
            if (isQuestionLine(setup.sectionCopy, position))
                pool.push_back(position);
        }
        skip = 0;
        count = std::min(count, static_cast<int>(pool.size()));
    }
    count = std::max(count, 0);
    skip = std::max(skip, 0);

    std::vector<int> order;
    if (setup.sequentialOrder) {
        const std::size_t first = std::min(pool.size(), static_cast<std::size_t>(skip));
        const std::size_t last = std::min(pool.size(), first + static_cast<std::size_t>(count));
        order.assign(pool.begin() + first, pool.begin() + last);
    } else {
        // Draws from an empty pool change nothing, so the skip never needs to exceed it.
        for (std::size_t i = std::min(pool.size(), std::size_t(skip)); i > 0; --i)
            drawRandom(pool);
        for (int i = 0; i < count; ++i) {
            const int position = drawRandom(pool);
            if (position >= 0)
                order.push_back(position);
        }
    }
    // Later draws (choice rows, praise texts) must not repeat from drill to drill, also
    // after a sequential order seeded with 0.
    crt::srand(timeSeed(clock));
    return order;
}

RepeatSelection lastDrillSelection(const CSectionLog *record, const CSection *section)
{
    if (!record)
        return { {}, cp932::text("まだ学習していません。") };
    const int done = record->seriesDone;
    const int last = record->lastSeriesCount;
    if (last < 1 || done < 1)
        return { {}, cp932::text("前回の学習問題数は 0 でした。") };
    if (done - last < 0)
        return { {}, cp932::text("前回の学習数を計算できませんでした。") };
    if (!section)
        return { {}, cp932::text("問題集を取得できませんでした。") };

    crt::srand(record->seriesSeed);
    std::vector<int> pool = buildQuestionPool(*section);
    const std::size_t skip = static_cast<std::size_t>(done - last);
    RepeatSelection result;
    // The stored seed tells how the series was drawn: 0 only for a sequential series.
    if (record->seriesSeed == 0) {
        const std::size_t first = std::min(pool.size(), skip);
        const std::size_t end = std::min(pool.size(), first + static_cast<std::size_t>(last));
        result.selection.assign(pool.begin() + first, pool.begin() + end);
        return result;
    }
    for (std::size_t i = std::min(pool.size(), skip); i > 0; --i)
        drawRandom(pool);
    for (int i = 0; i < last && !pool.empty(); ++i)
        result.selection.push_back(drawRandom(pool));
    return result;
}

RepeatSelection lastMissedSelection(const CSectionLog *record)
{
    if (!record)
        return { {}, cp932::text("まだ学習していません。") };
    if (record->lastMissed.empty())
        return { {}, cp932::text("前回は全問正解です！") };
    return { std::vector<int>(record->lastMissed.begin(), record->lastMissed.end()), {} };
}

DrillSetup missedQuestionsSetup(const DrillSetup &finished, const std::vector<int> &missed)
{
    DrillSetup setup;
    setup.sectionPath = finished.sectionPath;
    setup.sectionCopy = finished.sectionCopy;
    setup.drillMode = finished.drillMode;
    setup.randomRetryOrder = finished.randomRetryOrder;
    // Sequential over the selection: the questions come in the order they were missed.
    setup.sequentialOrder = true;
    for (int position : missed) {
        if (std::find(setup.selection.begin(), setup.selection.end(), position)
            == setup.selection.end())
            setup.selection.push_back(position);
    }
    return setup;
}

std::optional<bool> orderDlgSequential(int selectedRow)
{
    if (selectedRow == static_cast<int>(OrderItem::Sequential))
        return true;
    if (selectedRow == static_cast<int>(OrderItem::Random))
        return false;
    return std::nullopt;
}

int countDlgInitialValue(int nDefaultQuestions, int questionCount)
{
    return std::min(nDefaultQuestions, questionCount);
}

bool countDlgAccepts(int value)
{
    return value >= kCountDlgMinimum && value <= kCountDlgMaximum;
}

std::string countDlgRangeLabel(int questionCount)
{
    return formatText(cp932::text("(1～%d)"), questionCount);
}

DrillStart startDrill(const DrillStartRequest &request, const CFolder &root, CAnswerLog &log,
                      const CKvrSettings &settings, IDrillStartPrompter &prompter,
                      const IClock &clock)
{
    DrillStart start;
    const CSection *section = nullptr;
    try {
        section = &findSection(root, request.sectionPath);
    } catch (const KvrError &error) {
        start.outcome = DrillStartOutcome::SectionMissing;
        start.message = cp932::text("問題集を取得できませんでした。(") + error.what() + ")";
        return start;
    }
    const int questionCount = section->questionCount();

    DrillSetup &setup = start.setup;
    if (settings.ShowConfirmOrderDlg) {
        const auto sequential = prompter.askOrder();
        if (!sequential)
            return start;
        setup.sequentialOrder = *sequential;
    } else {
        setup.sequentialOrder = settings.IsSequencial;
    }

    if (request.count >= 0) {
        setup.requestedCount = request.count;
    } else if (settings.ShowCorrectNumbersDlg && request.selection.empty()) {
        const auto count = prompter.askCount(
            questionCount, countDlgInitialValue(settings.nDefaultQuestions, questionCount));
        if (!count)
            return start;
        setup.requestedCount = *count;
    } else {
        setup.requestedCount = -1;
    }

    setup.sectionPath = request.sectionPath;
    setup.drillMode = request.drillMode;
    setup.randomRetryOrder = settings.IsRandomMistakeReply;
    setup.selection = request.selection;
    setup.sectionCopy = *section;
    if (setup.selection.empty()) {
        const CSectionLog *record = findLearnerRecord(log, settings.UserName, setup.sectionPath,
                                                      toLogMode(setup.drillMode));
        prepareSeries(setup, !setup.sequentialOrder, questionCount, record, clock);
    } else {
        setup.orderSeed = setup.sequentialOrder ? 0 : timeSeed(clock);
        setup.orderSkip = 0;
    }
    start.outcome = DrillStartOutcome::Ready;
    return start;
}

} // namespace kvr
