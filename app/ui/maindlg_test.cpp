#include <cstdlib>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "app/ui/maindlg.h"
#include "app/ui/testsupport_main.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using kvr::test::child;

namespace {

QString u(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QTreeWidget *treeOf(CMainDlg &window)
{
    return window.findChild<QTreeWidget *>(QStringLiteral("databaseTree"));
}

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text)
{
    const QList<QTreeWidgetItem *> found =
        tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

QString fieldText(CMainDlg &window, const char *name)
{
    if (auto *line = window.findChild<QLineEdit *>(QLatin1String(name)))
        return line->text();
    if (auto *note = window.findChild<QTextEdit *>(QLatin1String(name)))
        return note->toPlainText();
    return QStringLiteral("(missing)");
}

} // namespace

class MainDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        setenv("TZ", "Asia/Tokyo", 1); // the run dates as a learner here sees them
    }
    void cleanup() { kvr::test::expectNoTopLevelWindows(); }

    void treeShowsCollectionsSortedAndReselectsLastSection();
    void unknownLastSectionSelectsTheFirstItem();
    void selectionChangeShowsHeaderAndSavesLastSection();
    void keysReachTheirCommands();
    void altTStartsTheStatisticsPagesDrill();
    void modeCommandStartsADrillWithoutAskingTheMode();
    void doubleClickAsksTheModeAndFolderStartsNothing();
    void cancelledOrderKeepsTheChosenModeOnTheStrip();
    void menuItemsGreyForAFolder();
    void treePopupShowsThePathAndKeepsTheSelection();
    void modeStripSetsLogMode();
    void splitterDropStoresTreeLogPeriod();
    void otherCommandsReachTheirServices();
    void starterDatabaseScreenshot();
    void historyPagesFollowTheTreeSelection();
    void perQuestionPageFillsWhenItsTabShows();
    void pageDrillStartsGoThroughTheWindow();
    void pageModeListSetsLogMode();
    void historyPagesScreenshots_data();
    void historyPagesScreenshots();
};

void MainDlgTest::treeShowsCollectionsSortedAndReselectsLastSection()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Alpha/Gamma");
    auto window = rig.makeWindow();
    QTreeWidget *tree = treeOf(*window);

    QStringList top;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        top << tree->topLevelItem(i)->text(0);
    QCOMPARE(top, QStringList({ u("Alpha"), u("mid"), u("Zeta") }));
    QTreeWidgetItem *folder = tree->topLevelItem(0);
    QCOMPARE(folder->data(0, Qt::UserRole).toInt(), 1);
    QCOMPARE(folder->child(0)->text(0), u("beta"));
    QCOMPARE(folder->child(0)->data(0, Qt::UserRole).toInt(), 0);

    QVERIFY(tree->currentItem());
    QCOMPARE(tree->currentItem()->text(0), u("Gamma"));
    QVERIFY(folder->isExpanded());
    QCOMPARE(window->selectedPath(), cp932::text("Alpha/Gamma"));
}

void MainDlgTest::unknownLastSectionSelectsTheFirstItem()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Nowhere/at all");
    auto window = rig.makeWindow();
    QCOMPARE(treeOf(*window)->currentItem()->text(0), u("Alpha"));
}

void MainDlgTest::selectionChangeShowsHeaderAndSavesLastSection()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Alpha");
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(fieldText(*window, "copyrightField"), u("フォルダ著者"));
    QCOMPARE(fieldText(*window, "countField"), QString()); // a folder has no count
    rig.store.clearChanges();

    QTreeWidget *tree = treeOf(*window);
    tree->setCurrentItem(findItem(tree, u("Zeta")));
    QCOMPARE(fieldText(*window, "copyrightField"), u("著者Z"));
    QCOMPARE(fieldText(*window, "inputterField"), u("入力Z"));
    QCOMPARE(fieldText(*window, "countField"), u("3"));
    QCOMPARE(fieldText(*window, "noteField"), u("一行目\n二行目"));
    QCOMPARE(rig.settings.LastSection, cp932::text("Zeta"));
    QCOMPARE(rig.store.readString("Options", "LastSection"), std::optional(cp932::text("Zeta")));
    QVERIFY(rig.prompter.asked.empty());
    kvr::test::saveScreenshot(window.get(), QStringLiteral("maindlg_sample"));
}

void MainDlgTest::keysReachTheirCommands()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Alpha/beta");
    auto window = rig.makeWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    QTest::keyClick(window.get(), Qt::Key_F9);
    QCOMPARE(rig.dialogs.questionLists.size(), std::size_t(1));
    QCOMPARE(rig.dialogs.questionLists[0].second, u("beta"));

    QTest::keyClick(window.get(), Qt::Key_F3);
    QCOMPARE(window->currentTab(), 1);
    QTest::keyClick(window.get(), Qt::Key_F4);
    QCOMPARE(window->currentTab(), 2);
    QTest::keyClick(window.get(), Qt::Key_F2);
    QCOMPARE(window->currentTab(), 0);

    QTest::keyClick(window.get(), Qt::Key_F11);
    QCOMPARE(rig.dialogs.learnerDialogs, 1);
    QTest::keyClick(window.get(), Qt::Key_F12);
    QCOMPARE(rig.dialogs.optionSheets, 1);

    // F5 reloads from the files the settings name; with none there, the file dialog is
    // asked for both and the tree stays as it was.
    QTest::keyClick(window.get(), Qt::Key_F5);
    QCOMPARE(rig.fileDialogs.requests.size(), std::size_t(2));
    QCOMPARE(window->selectedPath(), cp932::text("Alpha/beta"));
}

void MainDlgTest::altTStartsTheStatisticsPagesDrill()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // The tree has the focus, as after every selection; one press of Alt+T acts.
    QTest::keyClick(treeOf(*window), Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(rig.drillRunner.drills.size(), std::size_t(1));
    QCOMPARE(rig.drillRunner.drills[0].sectionPath, cp932::text("Zeta"));
    QVERIFY(!QApplication::activePopupWidget()); // the "ツール(&T)" menu stayed shut
}

void MainDlgTest::modeCommandStartsADrillWithoutAskingTheMode()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();

    window->menuAction(MainCommand::EnglishToJapaneseChoice)->trigger();
    QCOMPARE(rig.modeChooser.asked, 0);
    QCOMPARE(rig.startPrompter.ordersAsked(), 1);
    QCOMPARE(rig.startPrompter.countsAsked(), 1);
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(1));
    const DrillSetup &setup = rig.drillRunner.drills[0];
    QCOMPARE(setup.sectionPath, cp932::text("Zeta"));
    QVERIFY(setup.drillMode == DrillMode::EnglishToJapaneseChoice);
    QCOMPARE(setup.requestedCount, 5);
    QCOMPARE(setup.sectionCopy.questionCount(), 3);
    QCOMPARE(rig.settings.LogMode, static_cast<int>(LogModeIndex::EnglishToJapaneseChoice));

    window->toolAction(MainCommand::SpeedReply)->trigger();
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(2));
    QVERIFY(rig.drillRunner.drills[1].drillMode == DrillMode::SpeedReply);
}

void MainDlgTest::doubleClickAsksTheModeAndFolderStartsNothing()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTreeWidget *tree = treeOf(*window);

    rig.modeChooser.replies = { 3 }; // 英和入力
    emit tree->itemDoubleClicked(tree->currentItem(), 0);
    QCOMPARE(rig.modeChooser.asked, 1);
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(1));
    QVERIFY(rig.drillRunner.drills[0].drillMode == DrillMode::EnglishToJapaneseTyped);

    // A cancelled mode question starts nothing.
    emit tree->itemDoubleClicked(tree->currentItem(), 0);
    QCOMPARE(rig.modeChooser.asked, 2);
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(1));

    tree->setCurrentItem(findItem(tree, u("Alpha")));
    emit tree->itemDoubleClicked(tree->currentItem(), 0);
    window->menuAction(MainCommand::JapaneseToEnglishChoice)->trigger();
    QCOMPARE(rig.modeChooser.asked, 2);
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(1));
    QVERIFY(window->isVisible());
}

void MainDlgTest::cancelledOrderKeepsTheChosenModeOnTheStrip()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    rig.startPrompter.order = std::nullopt;
    auto window = rig.makeWindow();
    window->menuAction(MainCommand::JapaneseToEnglishChoice)->trigger();
    QVERIFY(rig.drillRunner.drills.empty());
    QCOMPARE(rig.settings.LogMode, static_cast<int>(LogModeIndex::JapaneseToEnglishChoice));
    auto *list = window->findChild<QComboBox *>(QStringLiteral("logmodeList"));
    QCOMPARE(list->currentText(), u("和英４択"));
}

void MainDlgTest::menuItemsGreyForAFolder()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Alpha");
    auto window = rig.makeWindow();
    const MainCommand following[] = { MainCommand::Shortcut, MainCommand::QuestionList,
                                      MainCommand::JapaneseToEnglishTyped,
                                      MainCommand::SpeedReply };
    for (MainCommand command : following)
        QVERIFY(!window->menuAction(command)->isEnabled());
    QVERIFY(window->menuAction(MainCommand::EnglishToJapaneseChoice)->isEnabled());
    QVERIFY(window->toolAction(MainCommand::QuestionList)->isEnabled());

    QTreeWidget *tree = treeOf(*window);
    tree->setCurrentItem(findItem(tree, u("mid")));
    for (MainCommand command : following)
        QVERIFY(window->menuAction(command)->isEnabled());
}

void MainDlgTest::treePopupShowsThePathAndKeepsTheSelection()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTreeWidget *tree = treeOf(*window);
    auto *popup = window->findChild<QMenu *>(QStringLiteral("SectionPopup"));
    QVERIFY(popup);

    const QRect folderRow = tree->visualItemRect(findItem(tree, u("Alpha")));
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, folderRow.center());
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(window->popupPath(), cp932::text("Alpha"));
    const QList<QAction *> items = popup->actions();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items[0]->text(), u("問題一覧(&P)..."));
    QVERIFY(!items[0]->isEnabled());
    QCOMPARE(items[1]->text(), u("この問題集のショートカットを作成する(&A)..."));
    QVERIFY(!items[1]->isEnabled());
    QVERIFY(items[2]->isSeparator());
    QCOMPARE(items[3]->text(), u("Alpha"));
    QVERIFY(!items[3]->isEnabled());
    QCOMPARE(tree->currentItem()->text(0), u("Zeta"));
    popup->hide();

    // On another collection the popup's commands act on the item clicked.
    tree->expandAll();
    const QRect gammaRow = tree->visualItemRect(findItem(tree, u("Gamma")));
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, gammaRow.center());
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(items[0]->isEnabled());
    items[1]->trigger();
    popup->hide();
    QCOMPARE(rig.dialogs.shortcuts, std::vector<std::string>({ cp932::text("Alpha/Gamma") }));
    QCOMPARE(tree->currentItem()->text(0), u("Zeta"));
}

void MainDlgTest::modeStripSetsLogMode()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LogMode = 1; // 英和４択
    auto window = rig.makeWindow();
    auto *list = window->findChild<QComboBox *>(QStringLiteral("logmodeList"));
    QVERIFY(list);
    QCOMPARE(list->currentText(), u("英和４択"));
    list->setCurrentIndex(2);
    emit list->activated(2);
    QCOMPARE(rig.settings.LogMode, 3); // 和英４択
}

void MainDlgTest::splitterDropStoresTreeLogPeriod()
{
    kvr::test::MainWindowRig rig;
    rig.settings.KvrWindowWidth = 900;
    rig.settings.KvrWindowHeight = 600;
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const int menuHeight = window->findChild<QMenuBar *>()->height();
    auto dividerAt = [&] {
        return QPoint(window->width() - rig.settings.TreeLogPeriod - 2, menuHeight + 200);
    };

    QTest::mousePress(window.get(), Qt::LeftButton, {}, dividerAt());
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(2, menuHeight + 200));
    QCOMPARE(rig.settings.TreeLogPeriod, 700);

    QTest::mousePress(window.get(), Qt::LeftButton, {}, dividerAt());
    QTest::mouseRelease(window.get(), Qt::LeftButton, {},
                        QPoint(window->width() - 2, menuHeight + 200));
    QCOMPARE(rig.settings.TreeLogPeriod, 370);

    QTest::mousePress(window.get(), Qt::LeftButton, {}, dividerAt());
    QTest::mouseRelease(window.get(), Qt::LeftButton, {},
                        QPoint(window->width() - 450, menuHeight + 200));
    QCOMPARE(rig.settings.TreeLogPeriod, 450);
    auto *tabs = window->findChild<QWidget *>(QStringLiteral("tabArea"));
    QVERIFY(tabs->geometry().left() >= window->width() - 450);
}

void MainDlgTest::otherCommandsReachTheirServices()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();

    window->toolAction(MainCommand::Shortcut)->trigger();
    QCOMPARE(rig.dialogs.shortcuts, std::vector<std::string>({ cp932::text("Zeta") }));
    window->toolAction(MainCommand::Editor)->trigger();
    QCOMPARE(rig.shell.started.size(), std::size_t(1));
    QVERIFY(qtext(rig.shell.started[0].program).endsWith(QStringLiteral("/KvrEditor")));
    QVERIFY(qtext(rig.shell.started[0].program).startsWith(qtext(rig.shell.started[0].folder)));
    window->toolAction(MainCommand::HomePage)->trigger();
    window->menuAction(MainCommand::Readme)->trigger();
    QCOMPARE(rig.shell.addresses,
             std::vector<std::string> { "https://kelvora.example.org/?t=r:Kvr4.0.0" });
    QCOMPARE(rig.shell.files.size(), std::size_t(1));
    QVERIFY(qtext(rig.shell.files[0]).endsWith(QStringLiteral("/Readme.txt")));

    // The repeat commands tell why there is nothing to repeat.
    window->toolAction(MainCommand::LastMissed)->trigger();
    QCOMPARE(rig.prompter.asked.size(), std::size_t(1));
    QCOMPARE(rig.prompter.asked[0].text, cp932::text("まだ学習していません。"));
    QVERIFY(rig.drillRunner.drills.empty());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    QVERIFY(window->isVisible());
    window->toolAction(MainCommand::Exit)->trigger();
    QVERIFY(!window->isVisible());
}

// The shipped starter database with a collection selected, for a look at the real thing.
void MainDlgTest::starterDatabaseScreenshot()
{
    kvr::test::MainWindowRig rig;
    rig.database = CQuestionDatabase();
    const QString source = qEnvironmentVariable("KVR_TEST_SOURCE_DIR");
    QVERIFY(readDatabase(rig.database,
                         kvr::ui::cp932(source + QStringLiteral("/data/Datas/DBv3.kvr"))));
    auto window = rig.makeWindow();
    window->resize(760, 540);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTreeWidget *tree = treeOf(*window);
    // The first collection whose header has a note, to show every field filled.
    tree->expandAll();
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->childCount() > 0)
            continue;
        tree->setCurrentItem(*it);
        if (!fieldText(*window, "noteField").isEmpty())
            break;
    }
    tree->collapseAll();
    tree->scrollToItem(tree->currentItem());
    QVERIFY(!fieldText(*window, "countField").isEmpty());
    QVERIFY(rig.prompter.asked.empty());
    kvr::test::saveScreenshot(window.get(), QStringLiteral("maindlg_starter"));
}

void MainDlgTest::historyPagesFollowTheTreeSelection()
{
    kvr::test::MainWindowRig rig;
    rig.settings.UserName = cp932::text("学習者");
    kvr::test::addFinishedDrills(rig.log, rig.settings.UserName, cp932::text("Zeta"),
                                 LogModeIndex::JapaneseToEnglishTyped, 2, 3);
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *page = child<QWidget>(window.get(), "loginfoPage");
    auto *runs = child<QComboBox>(page, "runList");
    auto *count = child<QSpinBox>(page, "countField");
    QCOMPARE(runs->count(), 2);
    QVERIFY(runs->isVisible());
    QCOMPARE(count->minimum(), 1);
    QCOMPARE(count->maximum(), 3);
    QCOMPARE(count->value(), 3); // the collection is smaller than nDefaultQuestions
    QVERIFY(child<QWidget>(page, "learnButton")->isEnabled());

    QTreeWidget *tree = treeOf(*window);
    tree->setCurrentItem(findItem(tree, u("Alpha")));
    QVERIFY(!child<QWidget>(page, "learnButton")->isEnabled());
    QVERIFY(!child<QWidget>(page, "modeList")->isEnabled());
    QCOMPARE(count->maximum(), 0);
    // Nothing of the collection shown before stays for a folder.
    QVERIFY(!runs->isVisible());
    QVERIFY(!child<QWidget>(page, "eraseAllButton")->isVisible());
    QVERIFY(!child<QWidget>(page, "eraseRunButton")->isVisible());

    tree->setCurrentItem(findItem(tree, u("mid")));
    QVERIFY(child<QWidget>(page, "learnButton")->isEnabled());
    QCOMPARE(runs->count(), 0);
    QVERIFY(!runs->isVisible());
    QVERIFY(!child<QWidget>(page, "eraseAllButton")->isVisible());
}

void MainDlgTest::perQuestionPageFillsWhenItsTabShows()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QAbstractItemModel *rows = child<QTableView>(window.get(), "questionList")->model();
    QCOMPARE(rows->rowCount(), 0);
    window->showTab(1);
    QCOMPARE(rows->rowCount(), 3);

    QTreeWidget *tree = treeOf(*window);
    tree->setCurrentItem(findItem(tree, u("beta")));
    QCOMPARE(rows->rowCount(), 2); // tab 1 is showing: filled at once
    tree->setCurrentItem(findItem(tree, u("Alpha")));
    QCOMPARE(rows->rowCount(), 0);
    window->showTab(0);
    tree->setCurrentItem(findItem(tree, u("Zeta")));
    QCOMPARE(rows->rowCount(), 0);
    QTest::keyClick(window.get(), Qt::Key_F3);
    QCOMPARE(rows->rowCount(), 3);
}

void MainDlgTest::pageDrillStartsGoThroughTheWindow()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *page = child<QWidget>(window.get(), "loginfoPage");
    child<QSpinBox>(page, "countField")->setValue(2);
    child<QComboBox>(page, "modeList")->setCurrentIndex(3); // 英和入力
    QTest::mouseClick(child<QPushButton>(page, "learnButton"), Qt::LeftButton);
    QCOMPARE(rig.modeChooser.asked, 0);
    QCOMPARE(rig.startPrompter.countsAsked(), 0);
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(1));
    QCOMPARE(rig.drillRunner.drills[0].requestedCount, 2);
    QVERIFY(rig.drillRunner.drills[0].drillMode == DrillMode::EnglishToJapaneseTyped);
    QCOMPARE(rig.settings.LogMode, static_cast<int>(LogModeIndex::EnglishToJapaneseTyped));
    QCOMPARE(child<QComboBox>(page, "modeList")->currentText(), u("英和入力"));
    QCOMPARE(child<QComboBox>(window.get(), "logmodeList")->currentText(), u("英和入力"));

    window->showTab(1);
    auto *list = child<QTableView>(window.get(), "questionList");
    list->model()->setData(list->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole);
    QTest::mouseClick(child<QPushButton>(window.get(), "learnTickedButton"), Qt::LeftButton);
    QCOMPARE(rig.drillRunner.drills.size(), std::size_t(2));
    QCOMPARE(rig.drillRunner.drills[1].selection, std::vector<int>({ 1 }));
    QVERIFY(rig.drillRunner.drills[1].drillMode == DrillMode::EnglishToJapaneseTyped);
}

void MainDlgTest::pageModeListSetsLogMode()
{
    kvr::test::MainWindowRig rig;
    rig.settings.LastSection = cp932::text("Zeta");
    auto window = rig.makeWindow();
    auto *modes = child<QComboBox>(child<QWidget>(window.get(), "loginfoPage"), "modeList");
    QCOMPARE(modes->currentText(), u("和英入力"));
    modes->setCurrentIndex(1);
    emit modes->activated(1);
    QCOMPARE(rig.settings.LogMode, static_cast<int>(LogModeIndex::SpeedReply));
    QCOMPARE(child<QComboBox>(window.get(), "logmodeList")->currentText(), u("SpeedReply"));
    // The strip's choice shows on the page's list.
    auto *strip = child<QComboBox>(window.get(), "logmodeList");
    strip->setCurrentIndex(4);
    emit strip->activated(4);
    QCOMPARE(modes->currentText(), u("英和４択"));
}

void MainDlgTest::historyPagesScreenshots_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<QSize>("size");
    QTest::newRow("3 runs") << 3 << QSize(900, 660);
    QTest::newRow("15 runs") << 15 << QSize(900, 660);
    // The smallest window, where every page must still fit, and the largest.
    QTest::newRow("630x460") << 5 << QSize(630, 460);
    QTest::newRow("1014x728") << 12 << QSize(1014, 728);
}

// The starter database with a learner's history, each tab, in a window large enough for
// the graph.
void MainDlgTest::historyPagesScreenshots()
{
    QFETCH(int, runs);
    QFETCH(QSize, size);
    kvr::test::MainWindowRig rig;
    rig.database = CQuestionDatabase();
    const QString source = qEnvironmentVariable("KVR_TEST_SOURCE_DIR");
    QVERIFY(readDatabase(rig.database,
                         kvr::ui::cp932(source + QStringLiteral("/data/Datas/DBv3.kvr"))));
    rig.settings.UserName = cp932::text("学習者");
    rig.settings.LastSection = cp932::text("英単語/中学１年/身の回りのもの");
    kvr::test::addFinishedDrills(rig.log, rig.settings.UserName, rig.settings.LastSection,
                                 LogModeIndex::JapaneseToEnglishTyped, runs, 32);
    // Corrections, for the widest count texts ("13 (3+10)").
    CSectionLog *record =
        findLearnerRecord(rig.log, rig.settings.UserName, rig.settings.LastSection,
                          LogModeIndex::JapaneseToEnglishTyped);
    QVERIFY(record && !record->tallies().empty());
    record->tallies()[0].values[QuestionTally::FirstCorrectAdjust] = 10;
    record->tallies()[0].values[QuestionTally::FirstIncorrectAdjust] = -3;
    rig.settings.KvrWindowWidth = size.width();
    rig.settings.KvrWindowHeight = size.height();
    rig.settings.TreeLogPeriod = size.width() > 630 ? 470 : 370;
    auto window = rig.makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), size);
    QCOMPARE(window->selectedPath(), rig.settings.LastSection);
    const QString suffix = size == QSize(900, 660)
        ? QStringLiteral("_%1runs").arg(runs)
        : QStringLiteral("_%1x%2").arg(size.width()).arg(size.height());
    kvr::test::saveScreenshot(window.get(), QStringLiteral("maindlg_loginfo") + suffix);
    window->showTab(1);
    kvr::test::saveScreenshot(window.get(), QStringLiteral("maindlg_questionlog") + suffix);
    window->showTab(2);
    kvr::test::saveScreenshot(window.get(), QStringLiteral("maindlg_transinfo") + suffix);
    QVERIFY(rig.prompter.asked.empty());
}

QTEST_MAIN(MainDlgTest)
#include "maindlg_test.moc"
