// The statistics and progress pages: their fields reach the widgets, their buttons reach
// the core and the log.
#include <cstdlib>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "drill/drillstarter.h"
#include "history/ui/loginfopage.h"
#include "history/ui/testsupport_history.h"
#include "history/ui/transinfopage.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

QStringList itemsOf(QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// A page as the main window's refresh leaves it for the starter collection.
void showStarter(HistoryPageRig &rig, CLoginfoPage &page)
{
    page.setSelection(rig.starterSelection());
    page.reloadRunList();
    page.setCountRange(1, rig.starterSection().questionCount(), 20);
    page.showLogMode(rig.settings.LogMode);
    page.resize(400, 440);
    page.show();
}

} // namespace

class HistoryPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        setenv("TZ", "Asia/Tokyo", 1); // the dates under the graph, as a learner here sees them
    }
    void cleanup() { expectNoTopLevelWindows(); }

    void runListFollowsTheRecordAndShowsTheGraph_data();
    void runListFollowsTheRecordAndShowsTheGraph();
    void folderDisablesTheDrillControls();
    void learnStartsADrillWithTheListedModeAndCount();
    void modeListReportsItsLogMode();
    void eraseButtonsChangeTheLogSaveAndRefresh();
    void aFailedSaveShowsTheLogsMessage();
    void progressPageScreenshots();
};

void HistoryPagesTest::runListFollowsTheRecordAndShowsTheGraph_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("firstLabels");
    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("3 runs") << 3 << QStringList { utext("前回"), utext("前々回"), utext("3回前") };
    QTest::newRow("15 runs") << 15
                             << QStringList { utext("前回"), utext("前々回"), utext("3回前") };
}

void HistoryPagesTest::runListFollowsTheRecordAndShowsTheGraph()
{
    QFETCH(int, runs);
    QFETCH(QStringList, firstLabels);
    HistoryPageRig rig;
    rig.addStarterHistory(runs);
    CLoginfoPage page(rig.context);
    showStarter(rig, page);
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    auto *list = child<QComboBox>(&page, "runList");
    QCOMPARE(list->count(), runs);
    QCOMPARE(itemsOf(list).mid(0, 3), firstLabels);
    QCOMPARE(list->currentIndex(), runs > 0 ? 0 : -1);
    QCOMPARE(list->isVisible(), runs > 0);
    QCOMPARE(child<QPushButton>(&page, "eraseAllButton")->isVisible(), runs > 0);
    QCOMPARE(child<QPushButton>(&page, "eraseRunButton")->isVisible(), runs > 0);
    if (runs > 0) {
        QCOMPARE(list->itemText(runs - 1), runs == 3 ? utext("3回前") : utext("15回前"));
        // Another run shown: the graph's highlight moves with it.
        list->setCurrentIndex(1);
    }
    saveScreenshot(&page, QStringLiteral("loginfopage_%1runs").arg(runs));
}

void HistoryPagesTest::folderDisablesTheDrillControls()
{
    HistoryPageRig rig;
    CLoginfoPage page(rig.context);
    showStarter(rig, page);
    const char *controls[] = { "learnButton", "countField", "allButton", "modeList" };
    for (const char *name : controls)
        QVERIFY2(child<QWidget>(&page, name)->isEnabled(), name);

    page.setSelection({ cp932::text("英単語"), TreeSelection::Folder, 0 });
    page.setCountRange(0, 0, 0);
    for (const char *name : controls)
        QVERIFY2(!child<QWidget>(&page, name)->isEnabled(), name);
    QCOMPARE(child<QSpinBox>(&page, "countField")->maximum(), 0);
    saveScreenshot(&page, QStringLiteral("loginfopage_folder"));

    const struct
    {
        const char *name;
        const char *tip;
    } tips[] = {
        { "eraseAllButton", "表示中の問題集の履歴を全て削除します。" },
        { "eraseRunButton", "表示している回の履歴を消去します。" },
        { "allButton", "問題集の全問題を回答します。" },
        { "learnButton", "通常の学習を開始します。" },
    };
    for (const auto &tip : tips)
        QCOMPARE(child<QWidget>(&page, tip.name)->toolTip(), utext(tip.tip));
}

void HistoryPagesTest::learnStartsADrillWithTheListedModeAndCount()
{
    HistoryPageRig rig;
    CLoginfoPage page(rig.context);
    showStarter(rig, page);
    auto *count = child<QSpinBox>(&page, "countField");
    auto *modes = child<QComboBox>(&page, "modeList");
    QCOMPARE(itemsOf(modes),
             QStringList({ utext("和英入力"), utext("SpeedReply"), utext("和英４択"),
                           utext("英和入力"), utext("英和４択") }));
    QCOMPARE(count->value(), 20);
    QTest::mouseClick(child<QPushButton>(&page, "allButton"), Qt::LeftButton);
    QCOMPARE(count->value(), rig.starterSection().questionCount());

    count->setValue(7);
    modes->setCurrentIndex(2); // 和英４択
    QTest::mouseClick(child<QPushButton>(&page, "learnButton"), Qt::LeftButton);
    QCOMPARE(rig.drills.size(), std::size_t(1));
    QCOMPARE(rig.drills[0].sectionPath, starterCollectionPath());
    QVERIFY(rig.drills[0].selection.empty());
    QCOMPARE(rig.drills[0].count, 7);
    QCOMPARE(rig.drills[0].pendingMode, static_cast<int>(DrillMode::JapaneseToEnglishChoice));

    // A collection without questions: the count check tells its range and starts nothing.
    page.setSelection({ rig.starterSelection().path, TreeSelection::Collection, 0 });
    page.setCountRange(1, 0, 0);
    QTest::mouseClick(child<QPushButton>(&page, "learnButton"), Qt::LeftButton);
    QCOMPARE(rig.drills.size(), std::size_t(1));
    QCOMPARE(
        rig.prompter.texts(),
        std::vector<std::string>({ cp932::text("出題数を 1 ～ 0 の範囲で指定してください。") }));
}

void HistoryPagesTest::modeListReportsItsLogMode()
{
    HistoryPageRig rig;
    rig.settings.LogMode = static_cast<int>(LogModeIndex::EnglishToJapaneseTyped);
    CLoginfoPage page(rig.context);
    showStarter(rig, page);
    auto *modes = child<QComboBox>(&page, "modeList");
    QCOMPARE(modes->currentText(), utext("英和入力"));
    QVERIFY(page.listedMode() == DrillMode::EnglishToJapaneseTyped);

    QSignalSpy chosen(&page, &CLoginfoPage::logModeChosen);
    modes->setCurrentIndex(1);
    emit modes->activated(1);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toInt(), static_cast<int>(LogModeIndex::SpeedReply));

    page.showDrillMode(DrillMode::EnglishToJapaneseChoice);
    QCOMPARE(modes->currentText(), utext("英和４択"));
    QCOMPARE(chosen.count(), 1); // showing a mode reports nothing
}

void HistoryPagesTest::eraseButtonsChangeTheLogSaveAndRefresh()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    QFile::remove(QString::fromStdString(rig.settings.LogPath));
    CLoginfoPage page(rig.context);
    showStarter(rig, page);
    const CSectionLog *record =
        findLearnerRecord(rig.log, rig.settings.UserName, starterCollectionPath(),
                          LogModeIndex::JapaneseToEnglishTyped);
    QVERIFY(record);
    const std::int32_t newestEnd = record->recentRuns[0].endTime;

    rig.prompter.push(Reply::Yes);
    QTest::mouseClick(child<QPushButton>(&page, "eraseRunButton"), Qt::LeftButton);
    QCOMPARE(rig.prompter.asked.size(), std::size_t(1));
    QCOMPARE(rig.prompter.asked[0].caption, cp932::text("履歴消去"));
    QCOMPARE(record->recentRuns.size(), std::size_t(2));
    QVERIFY(record->recentRuns[0].endTime != newestEnd);
    QCOMPARE(rig.refreshes, 1);
    QVERIFY(QFile::exists(QString::fromStdString(rig.settings.LogPath)));

    rig.prompter.push(Reply::No);
    QTest::mouseClick(child<QPushButton>(&page, "eraseAllButton"), Qt::LeftButton);
    QCOMPARE(rig.refreshes, 1);
    rig.prompter.push(Reply::Yes);
    QTest::mouseClick(child<QPushButton>(&page, "eraseAllButton"), Qt::LeftButton);
    QCOMPARE(rig.refreshes, 2);
    QVERIFY(!findLearnerRecord(rig.log, rig.settings.UserName, starterCollectionPath(),
                               LogModeIndex::JapaneseToEnglishTyped));
    CAnswerLog saved;
    QVERIFY(saved.loadAnswerLog(rig.settings.LogPath));
    QVERIFY(saved.users == rig.log.users);
}

void HistoryPagesTest::aFailedSaveShowsTheLogsMessage()
{
    HistoryPageRig rig;
    rig.addStarterHistory(2);
    rig.settings.LogPath = ui::cp932(rig.folder.filePath(QStringLiteral("missing/translog.txt")));
    CLoginfoPage page(rig.context);
    showStarter(rig, page);
    rig.prompter.push(Reply::Yes);
    QTest::mouseClick(child<QPushButton>(&page, "eraseRunButton"), Qt::LeftButton);
    QCOMPARE(rig.prompter.asked.size(), std::size_t(2));
    QCOMPARE(rig.prompter.asked[1].text, logSaveFailedText(rig.settings.LogPath));
}

void HistoryPagesTest::progressPageScreenshots()
{
    HistoryPageRig rig;
    rig.addStarterHistory(2);
    CTransinfoPage page(rig.context);
    page.setSelection(rig.starterSelection());
    page.resize(400, 300);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    saveScreenshot(&page, QStringLiteral("transinfopage_2runs"));
    page.setSelection({ cp932::text("英単語"), TreeSelection::Folder, 0 });
    saveScreenshot(&page, QStringLiteral("transinfopage_folder"));
}

QTEST_MAIN(HistoryPagesTest)
#include "historypages_test.moc"
