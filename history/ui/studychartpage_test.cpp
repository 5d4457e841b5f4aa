// The "学習記録" page: the journal beside the log and the tree's selection reach the chart.
#include <cstdlib>

#include <QTest>

#include "history/answerjournal.h"
#include "history/ui/studychartpage.h"
#include "history/ui/testsupport_history.h"
#include "platform/cp932.h"
#include "platform/testsupport_clock.h"
#include "platform/ui/fonts.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

// Thirty days of answers up to the clock's day, in two collections: on day d (0 = today)
// 3 + d % 7 answers, one in four wrong, every fifth day skipped; the other learner and an
// older day are there too and must not count.
void writeMonthOfAnswers(const HistoryPageRig &rig, const IClock &clock)
{
    std::vector<JournalEntry> entries;
    const auto add = [&](const std::string &learner, const std::string &collection, int daysAgo,
                         int count) {
        for (int i = 0; i < count; ++i) {
            JournalEntry entry;
            entry.time = clock.now() - daysAgo * kOneDay - i * 60;
            entry.learner = learner;
            entry.collection = collection;
            entry.position = i + 1;
            entry.question = std::string(1, 'q'); // a literal here trips GCC 12's -Wrestrict
            entry.verdict = i % 4 == 3 ? JournalVerdict::Incorrect : JournalVerdict::Correct;
            entry.tenths = 25;
            entries.push_back(entry);
        }
    };
    for (int day = 0; day < 30; ++day) {
        if (day % 5 == 4)
            continue;
        add(rig.settings.UserName, starterCollectionPath(), day, 3 + day % 7);
        add(rig.settings.UserName, cp932::text("熟語/基本"), day, 2);
    }
    add(rig.settings.UserName, starterCollectionPath(), 45, 50);
    add(cp932::text("他の人"), starterCollectionPath(), 0, 40);
    QVERIFY(appendJournal(journalPathBeside(rig.settings.LogPath), entries));
}

} // namespace

class StudyChartPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        setenv("TZ", "Asia/Tokyo", 1);
    }
    void cleanup() { expectNoTopLevelWindows(); }

    void selectionFiltersTheJournalAndChangesAreReadAgain();
    void screenshots();
};

void StudyChartPageTest::selectionFiltersTheJournalAndChangesAreReadAgain()
{
    HistoryPageRig rig;
    FixedClock clock;
    CStudyChartPage page(rig.context, clock);
    page.resize(400, 440);
    QVERIFY(!page.chart().hasPlot); // no journal yet
    writeMonthOfAnswers(rig, clock);

    // 24 days studied: every fifth one of the thirty is skipped.
    int starter = 0;
    for (int day = 0; day < 30; ++day)
        starter += day % 5 == 4 ? 0 : 3 + day % 7;
    const int phrases = 24 * 2;
    const struct
    {
        PageSelection selection;
        int answers;
    } rows[] = {
        { rig.starterSelection(), starter },
        { { cp932::text("英単語"), TreeSelection::Folder, 0 }, starter },
        { { cp932::text("熟語"), TreeSelection::Folder, 0 }, phrases },
        { { "", TreeSelection::Folder, 0 }, starter + phrases },
    };
    for (const auto &row : rows) {
        page.setSelection(row.selection);
        const StudyChart chart = page.chart();
        QCOMPARE(chart.figures.answers, row.answers);
        QCOMPARE(chart.figures.daysStudied, 24);
        QCOMPARE(chart.figures.streak, 4);
        QVERIFY(chart.hasPlot);
    }

    // A drill's answers appended later are read on the next paint.
    page.setSelection(rig.starterSelection());
    const int before = page.chart().figures.answers;
    JournalEntry entry;
    entry.time = clock.now();
    entry.learner = rig.settings.UserName;
    entry.collection = starterCollectionPath();
    entry.position = 1;
    QVERIFY(appendJournal(journalPathBeside(rig.settings.LogPath), { entry }));
    QCOMPARE(page.chart().figures.answers, before + 1);
}

void StudyChartPageTest::screenshots()
{
    HistoryPageRig rig;
    FixedClock clock;
    CStudyChartPage page(rig.context, clock);
    page.setSelection(rig.starterSelection());
    page.resize(400, 440);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    saveScreenshot(&page, QStringLiteral("studychartpage_empty"));
    writeMonthOfAnswers(rig, clock);
    saveScreenshot(&page, QStringLiteral("studychartpage_30days"));
    page.resize(1100, 720);
    saveScreenshot(&page, QStringLiteral("studychartpage_30days_large"));
}

QTEST_MAIN(StudyChartPageTest)
#include "studychartpage_test.moc"
