#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/maindlg.h"
#include "app/ui/testsupport_main.h"
#include "db/questiondatabase.h"
#include "history/answerjournal.h"
#include "history/ui/studychartpage.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using kvr::test::child;

// The fourth page, "学習記録": it follows the tree's selection like the history pages.
class MainDlgChartTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }
    void theChartPageFollowsTheTreeSelection();
};

void MainDlgChartTest::theChartPageFollowsTheTreeSelection()
{
    kvr::test::MainWindowRig rig;
    QTemporaryDir folder;
    rig.settings.LogPath = ui::cp932(folder.filePath(QStringLiteral("translog.txt")));
    rig.settings.UserName = cp932::text("学習者");
    const std::string words = cp932::text("英単語/中学１年/身の回りのもの");
    rig.settings.LastSection = words;
    const QString source = qEnvironmentVariable("KVR_TEST_SOURCE_DIR");
    QVERIFY(readDatabase(rig.database, ui::cp932(source + QStringLiteral("/data/Datas/DBv3.kvr"))));
    std::vector<JournalEntry> entries;
    for (int i = 0; i < 12; ++i) {
        JournalEntry entry;
        entry.time = rig.clock.now() - (i / 3) * 86400;
        entry.learner = rig.settings.UserName;
        entry.collection = i < 9 ? words : cp932::text("熟語/基本");
        entry.position = i + 1;
        entry.verdict = i % 3 ? JournalVerdict::Correct : JournalVerdict::Incorrect;
        entries.push_back(entry);
    }
    QVERIFY(appendJournal(journalPathBeside(rig.settings.LogPath), entries));

    auto window = rig.makeWindow();
    window->resize(900, 660);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *tabs = child<QTabWidget>(window.get(), "pageTabs");
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(3), QStringLiteral("学習記録"));
    window->showTab(3);
    QCOMPARE(window->currentTab(), 3);
    auto *page = child<CStudyChartPage>(window.get(), "studyChartPage");
    QVERIFY(page->isVisible());
    QCOMPARE(page->chart().figures.answers, 9);
    QCOMPARE(page->chart().figures.streak, 3);
    kvr::test::saveScreenshot(window.get(), QStringLiteral("maindlg_studychart"));
    QVERIFY(rig.prompter.asked.empty());
}

QTEST_MAIN(MainDlgChartTest)
#include "maindlgchart_test.moc"
