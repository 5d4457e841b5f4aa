#include "history/ui/testsupport_history.h"

#include <algorithm>

#include "drill/drillsetup.h"
#include "platform/cp932.h"
#include "platform/ui/qtext.h"

namespace kvr::test {

namespace {

constexpr std::int64_t kFirstDrillTime = 1717232400; // 2024-06-01 09:00 UTC

QString sourceFile(const char *relative)
{
    return qEnvironmentVariable("KVR_TEST_SOURCE_DIR") + QLatin1Char('/') + QLatin1String(relative);
}

} // namespace

std::string starterCollectionPath()
{
    return cp932::text("英単語/中学１年/身の回りのもの");
}

bool addSimulatedDrills(CAnswerLog &log, const CSection &section, const std::string &userName,
                        const std::string &path, LogModeIndex mode, int runs,
                        const std::string &logPath)
{
    const std::vector<int> pool = buildQuestionPool(section);
    if (pool.empty())
        return false;
    bool saved = true;
    for (int run = 0; run < runs; ++run) {
        const CSectionLog *before = findLearnerRecord(log, userName, path, mode);
        FinishedDrill drill;
        drill.userName = userName;
        drill.sectionPath = path;
        drill.mode = mode;
        if (before)
            drill.tallies = before->tallies();
        drill.tallies.resize(section.lines.size());
        const int taken = std::min<int>(10, static_cast<int>(pool.size()));
        // Later drills go better, with a dip now and then.
        const int rightShare = std::clamp(4 + run / 2 - (run % 5 == 3 ? 3 : 0), 1, 10);
        for (int i = 0; i < taken; ++i) {
            const int position = pool[static_cast<std::size_t>((run * taken + i) % pool.size())];
            const bool right = (i * 7 + run * 3) % 10 < rightShare;
            incrementTally(drill.tallies, static_cast<std::size_t>(position),
                           right ? QuestionTally::FirstCorrect : QuestionTally::FirstIncorrect);
            if (!right) {
                incrementTally(drill.tallies, static_cast<std::size_t>(position),
                               QuestionTally::RetryCorrect);
                drill.missed.push_back(position);
                ++drill.incorrect;
            } else {
                ++drill.correct;
            }
        }
        drill.startTime = kFirstDrillTime + run * 86400 + (run % 3) * 3600;
        drill.endTime = drill.startTime + 180 + run * 17;
        drill.keyCount = 55 + run * 3;
        drill.advancesSeries = true;
        // A series used up starts again with a new seed, as the drill's own set-up does.
        drill.newSeries = !before || before->seriesDone + taken > static_cast<int>(pool.size());
        drill.seed = drill.newSeries || !before ? 4242 + static_cast<std::uint32_t>(run)
                                                : before->seriesSeed;
        drill.questionsTaken = taken;
        saved = log.recordFinishedDrill(drill, logPath) && saved;
    }
    return saved;
}

HistoryPageRig::HistoryPageRig()
    : context { settings,
                store,
                database,
                log,
                webDictionaries,
                voice,
                shell,
                prompter,
                [this](const WindowDrillRequest &request) { drills.push_back(request); },
                [this] { ++refreshes; } }
{
    settings.UserName = cp932::text("学習者");
    settings.LogPath = ui::cp932(folder.filePath(QStringLiteral("translog.txt")));
    readDatabase(database, ui::cp932(sourceFile("data/Datas/DBv3.kvr")));
    readWebDictionaries(webDictionaries, ui::cp932(sourceFile("data/Datas/webdic.ini")));
}

HistoryPageRig::~HistoryPageRig() = default;

const CSection &HistoryPageRig::starterSection() const
{
    return findSection(database.root, starterCollectionPath());
}

ui::PageSelection HistoryPageRig::starterSelection() const
{
    return { starterCollectionPath(), TreeSelection::Collection, starterSection().questionCount() };
}

void HistoryPageRig::addStarterHistory(int runs)
{
    addSimulatedDrills(log, starterSection(), settings.UserName, starterCollectionPath(),
                       static_cast<LogModeIndex>(settings.LogMode), runs, settings.LogPath);
}

} // namespace kvr::test
