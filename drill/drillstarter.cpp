#include "drill/drillstarter.h"

#include "app/commandline.h"
#include "app/kvrsettings.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/namedmutex.h"
#include "platform/prompter.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

const char *const kAlreadyRunning = "既に回答中なので、回答できません。";

std::unique_ptr<CNamedMutex> takeMarker(const std::string &name)
{
    auto marker = std::make_unique<CNamedMutex>();
    if (!marker->acquire(name))
        return nullptr;
    return marker;
}

constexpr const char *kNoHistoryForWorst =
    "正解率の低い問題を選べませんでした。\n\n問題集「%s」には、%s さんの学習の記録が"
    "まだありません。\n一度この問題集を学習してから、もう一度お使いください。";

Message sectionMissingBox(std::string text)
{
    Message message;
    message.text = std::move(text);
    message.systemModal = true;
    return message;
}

DrillMode chosenMode(int number)
{
    return number >= 0 && number < kDrillModeCount ? static_cast<DrillMode>(number)
                                                   : DrillMode::JapaneseToEnglishTyped;
}

std::optional<DrillMode> askMode(DrillStartDialogs dialogs, int pendingMode)
{
    if (pendingMode != -1)
        return chosenMode(pendingMode);
    const std::optional<int> number = dialogs.mode.chooseMode();
    if (!number)
        return std::nullopt;
    return chosenMode(*number);
}

// The learner's record the repeat commands read: UserName under LogMode.
const CSectionLog *currentRecord(DrillStartContext &context, const std::string &path)
{
    const auto mode = logModeFromSetting(context.settings.LogMode);
    if (!mode)
        return nullptr;
    return findLearnerRecord(context.log, context.settings.UserName, path, *mode);
}

std::optional<CDrillLaunch> startWithSelection(DrillStartContext &context,
                                               DrillStartDialogs dialogs, const std::string &path,
                                               DrillMode mode, const RepeatSelection &selection)
{
    if (!selection.ok()) {
        context.prompter.tell(selection.message);
        return std::nullopt;
    }
    return startWindowDrill(context, dialogs,
                            { path, selection.selection, -1, static_cast<int>(mode) });
}

} // namespace

CDrillLaunch::CDrillLaunch(std::unique_ptr<CNamedMutex> marker, DrillSetup setup)
    : m_marker(std::move(marker))
    , m_setup(std::move(setup))
{
}
CDrillLaunch::CDrillLaunch(CDrillLaunch &&) noexcept = default;
CDrillLaunch &CDrillLaunch::operator=(CDrillLaunch &&) noexcept = default;
CDrillLaunch::~CDrillLaunch() = default;

std::optional<CDrillLaunch> startWindowDrill(DrillStartContext &context, DrillStartDialogs dialogs,
                                             const WindowDrillRequest &request)
{
    auto marker = takeMarker(context.markerName);
    if (!marker) {
        context.prompter.tell(cp932::text(kAlreadyRunning));
        return std::nullopt;
    }
    const std::optional<DrillMode> mode = askMode(dialogs, request.pendingMode);
    if (!mode)
        return std::nullopt;
    context.settings.LogMode = static_cast<int>(toLogMode(*mode));

    const DrillStartRequest setupRequest { request.sectionPath, *mode, request.count,
                                           request.selection };
    DrillStart start = startDrill(setupRequest, context.root, context.log, context.settings,
                                  dialogs.setup, context.clock);
    if (start.outcome == DrillStartOutcome::SectionMissing)
        context.prompter.ask(sectionMissingBox(start.message));
    if (start.outcome != DrillStartOutcome::Ready)
        return std::nullopt;
    return CDrillLaunch(std::move(marker), std::move(start.setup));
}

std::optional<CDrillLaunch> startFromTree(DrillStartContext &context, DrillStartDialogs dialogs,
                                          const TreeNode &tree, const TreeIndexPath &selected,
                                          int pendingMode)
{
    const std::optional<std::string> path = collectionPathAt(tree, selected);
    if (!path)
        return std::nullopt;
    return startWindowDrill(context, dialogs, { *path, {}, -1, pendingMode });
}

std::optional<CDrillLaunch> repeatLastDrill(DrillStartContext &context, DrillStartDialogs dialogs,
                                            const std::string &sectionPath, DrillMode mode)
{
    if (sectionPath.empty())
        return std::nullopt;
    const CSection *section =
        hasSection(context.root, sectionPath) ? &findSection(context.root, sectionPath) : nullptr;
    const RepeatSelection selection =
        lastDrillSelection(currentRecord(context, sectionPath), section);
    return startWithSelection(context, dialogs, sectionPath, mode, selection);
}

std::optional<CDrillLaunch> repeatMissedQuestions(DrillStartContext &context,
                                                  DrillStartDialogs dialogs,
                                                  const std::string &sectionPath, DrillMode mode)
{
    if (sectionPath.empty())
        return std::nullopt;
    const RepeatSelection selection = lastMissedSelection(currentRecord(context, sectionPath));
    return startWithSelection(context, dialogs, sectionPath, mode, selection);
}

namespace {

// The set-up of a command-line drill before its order is fixed.
DrillSetup autorunSetup(const DrillStartContext &context, const CCommandLine &line,
                        const CSection &section)
{
    DrillSetup setup;
    setup.sectionPath = line.sectionPath;
    setup.sectionCopy = section;
    setup.drillMode = line.speedReply ? DrillMode::SpeedReply : DrillMode::JapaneseToEnglishTyped;
    setup.sequentialOrder = false;
    setup.randomRetryOrder = context.settings.IsRandomMistakeReply;
    setup.requestedCount = line.questionCount;
    return setup;
}

// The weakest questions of the learner's record under LogMode; false when there is no
// record or nothing to ask.
bool selectWorstFirst(DrillStartContext &context, DrillSetup &setup, int count)
{
    const CSectionLog *record = currentRecord(context, setup.sectionPath);
    if (!record)
        return false;
    setup.selection = selectWeakest(setup.sectionCopy, record->tallies(), count, RateBasis::Both);
    setup.orderSeed = static_cast<std::uint32_t>(context.clock.now());
    setup.orderSkip = 0;
    return !setup.selection.empty();
}

} // namespace

std::optional<CDrillLaunch> prepareAutorunDrill(DrillStartContext &context,
                                                const CCommandLine &commandLine)
{
    auto marker = takeMarker(context.markerName);
    if (!marker) {
        context.prompter.tell(cp932::text(kAlreadyRunning), "error");
        return std::nullopt;
    }
    const CSection *section = nullptr;
    try {
        section = &findSection(context.root, commandLine.sectionPath);
    } catch (const KvrError &error) {
        context.prompter.ask(sectionMissingBox(
            formatText(cp932::text("問題集を取得できませんでした。(%s)"), error.what())));
        return std::nullopt;
    }
    DrillSetup setup = autorunSetup(context, commandLine, *section);
    if (commandLine.worstFirst) {
        if (!selectWorstFirst(context, setup, commandLine.questionCount)) {
            // Started from a desktop launcher, a silent end looks like a broken program.
            marker.reset();
            Message message;
            message.text =
                formatText(cp932::text(kNoHistoryForWorst), commandLine.sectionPath.c_str(),
                           context.settings.UserName.c_str());
            message.icon = Icon::Information;
            context.prompter.ask(message);
            return std::nullopt;
        }
    } else {
        // The series continues in the record the drill will update: its own mode's.
        CSectionLog *record = findLearnerRecord(context.log, context.settings.UserName,
                                                setup.sectionPath, toLogMode(setup.drillMode));
        prepareSeries(setup, true, section->questionCount(), record, context.clock);
    }
    return CDrillLaunch(std::move(marker), std::move(setup));
}

} // namespace kvr
