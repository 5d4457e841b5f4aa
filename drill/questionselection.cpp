#include "drill/questionselection.h"

#include <algorithm>

#include "drill/drillsetup.h"
#include "history/modelist.h"
#include "platform/crand.h"
#include "platform/prompter.h"

namespace kvr {

std::optional<std::vector<int>> weakestTicks(const CSection &section, const CSectionLog *record,
                                             int n, RateBasis basis)
{
    if (!record)
        return std::nullopt;
    return selectWeakest(section, record->questionTallies, n, basis);
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
