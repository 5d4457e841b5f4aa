#include "drill/questionselection.h"

#include <algorithm>

#include "drill/drillsetup.h"
#include "history/modelist.h"
#include "platform/cp932.h"
#include "platform/crand.h"
#include "platform/prompter.h"

namespace kvr {

std::optional<std::vector<int>> weakestTicks(const CSection &section, const CSectionLog *record,
                                             int n, RateBasis basis)
{
    if (!record)
        return std::nullopt;
    return selectWeakest(section, record->tallies(), n, basis);
}

std::optional<std::vector<int>> lastMissedTicks(const CSectionLog *record)
{
    if (!record)
        return std::nullopt;
    return std::vector<int>(record->lastMissed.begin(), record->lastMissed.end());
}

std::optional<std::vector<int>> randomTicks(const CSection &section, int n)
{
    std::vector<int> pool = buildQuestionPool(section);
    if (pool.empty())
        return std::nullopt;
    std::vector<int> drawn;
    for (int i = 0; i < n; ++i) {
        const int position = drawRandom(pool);
        if (position < 0)
            break;
        drawn.push_back(position);
    }
    return drawn;
}

std::vector<CheckMenuItem> checkSelectMenu()
{
    return { { cp932::text("正解率の低い問題(&W)"), CheckCommand::Weakest },
             { cp932::text("前回間違えた問題(&L)"), CheckCommand::LastMissed },
             { cp932::text("ランダム(&R)"), CheckCommand::Random },
             { cp932::text("反転(&I)"), CheckCommand::Invert },
             { cp932::text("全て解除(&C)"), CheckCommand::Clear } };
}

std::vector<CheckMenuItem> selectWorstMenu()
{
    return { { cp932::text("&10問"), CheckCommand::Weakest10 },
             { cp932::text("&20問"), CheckCommand::Weakest20 },
             { cp932::text("&30問"), CheckCommand::Weakest30 } };
}

namespace {

void checkWeakest(CCheckMarks &marks, const CSection &section, const CSectionLog *record,
                  RateBasis basis, int n)
{
    if (const auto ticks = weakestTicks(section, record, n, basis))
        marks.checkOnly(*ticks);
}

} // namespace

std::optional<int> runCheckCommand(CheckCommand command, CCheckMarks &marks,
                                   const CSection &section, const CSectionLog *record,
                                   RateBasis basis, int countField)
{
    std::optional<int> shown;
    switch (command) {
    case CheckCommand::Weakest:
        checkWeakest(marks, section, record, basis, weakestCheckCount(countField));
        break;
    case CheckCommand::Weakest10:
    case CheckCommand::Weakest20:
    case CheckCommand::Weakest30: {
        const int n = command == CheckCommand::Weakest10 ? 10
            : command == CheckCommand::Weakest20         ? 20
                                                         : 30;
        checkWeakest(marks, section, record, basis, n);
        break;
    }
    case CheckCommand::LastMissed:
        if (const auto ticks = lastMissedTicks(record))
            marks.checkOnly(*ticks);
        break;
    case CheckCommand::Random: {
        const int n = randomCheckCount(countField);
        if (n != countField)
            shown = n;
        if (const auto ticks = randomTicks(section, n))
            marks.checkOnly(*ticks);
        break;
    }
    case CheckCommand::Invert:
        marks.invert();
        break;
    case CheckCommand::Clear:
        marks.clear();
        break;
    }
    if (const auto count = marks.takeCountUpdate())
        shown = count;
    return shown;
}

std::vector<bool> replaySeriesMarks(const CSection &section, std::uint32_t seed, std::int32_t done)
{
    const std::vector<int> candidates = buildQuestionPool(section);
    std::vector<int> pool = candidates;
    crt::srand(seed);
    // Draws from an empty pool take nothing from the generator, so a damaged count larger
    // than the collection costs no more than the collection's size.
    const std::size_t draws = std::min(pool.size(), static_cast<std::size_t>(std::max(done, 0)));
    std::vector<int> drawn;
    for (std::size_t i = 0; i < draws; ++i)
        drawn.push_back(drawRandom(pool));
    std::sort(drawn.begin(), drawn.end());

    std::vector<bool> marks(candidates.size(), false);
    for (std::size_t i = 0; i < candidates.size(); ++i)
        marks[i] = std::binary_search(drawn.begin(), drawn.end(), candidates[i]);
    return marks;
}

ProgressPaint progressView(const CSection *section, const CSectionLog *record, int width)
{
    ProgressInput input;
    input.record = record;
    input.sectionFound = section != nullptr;
    input.questionCount = section ? section->questionCount() : 0;
    input.width = width;
    if (section && record && record->seriesSeed > 0)
        input.taken = replaySeriesMarks(*section, record->seriesSeed, record->seriesDone);
    return progressPaint(input);
}

std::optional<WindowDrillRequest> tickedDrillRequest(const std::string &sectionPath,
                                                     TreeSelection selection,
                                                     const std::vector<int> &drillSelection,
                                                     DrillMode stripMode)
{
    if (selection != TreeSelection::Collection || drillSelection.empty())
        return std::nullopt;
    WindowDrillRequest request;
    request.sectionPath = sectionPath;
    request.selection = drillSelection;
    request.count = -1;
    request.pendingMode = static_cast<int>(stripMode);
    return request;
}

std::optional<WindowDrillRequest> learnRequest(const std::string &sectionPath,
                                               TreeSelection selection, int count,
                                               int questionCount, int modeListPosition,
                                               IPrompter &prompter)
{
    if (const auto message = learnCountMessage(count, questionCount)) {
        prompter.tell(*message);
        return std::nullopt;
    }
    if (selection != TreeSelection::Collection)
        return std::nullopt;
    WindowDrillRequest request;
    request.sectionPath = sectionPath;
    request.count = count;
    request.pendingMode = static_cast<int>(modeAtListPosition(modeListPosition));
    return request;
}

} // namespace kvr
