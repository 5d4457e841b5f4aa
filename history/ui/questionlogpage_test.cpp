// The per-question page: rows, ticks, commands and popups reach the core and the log.
#include <algorithm>
#include <cstdlib>

#include <QAbstractButton>
#include <QCursor>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "app/mainwindow.h"
#include "app/weblookup.h"
#include "drill/questionselection.h"
#include "history/questionrows.h"
#include "history/tallyedits.h"
#include "history/ui/questionlogmodel.h"
#include "history/ui/questionlogpage.h"
#include "history/ui/testsupport_history.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

template <typename T> T *child(QObject *parent, const char *name)
{
    T *object = parent->findChild<T *>(QLatin1String(name));
    if (!object)
        qFatal("no child %s", name);
    return object;
}

QStringList textsOf(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QAction *itemOf(QMenu *menu, const QString &text)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    qFatal("no item %s", qPrintable(text));
}

// The page with the starter collection filled, as the main window leaves it on tab 1.
struct FilledPage
{
    explicit FilledPage(HistoryPageRig &rig)
        : page(rig.context)
    {
        page.setSelection(rig.starterSelection());
        page.resize(420, 460);
        page.show();
        page.fill();
    }
    QTableView *view() { return child<QTableView>(&page, "questionList"); }
    CQuestionLogModel &model() { return *page.model(); }
    QString countField() { return child<QLineEdit>(&page, "selectionCountField")->text(); }
    std::vector<int> ticked() { return model().marks().checkedPositions(model().rows()); }
    void selectRows(std::initializer_list<int> rows)
    {
        view()->clearSelection();
        for (int row : rows)
            view()->selectionModel()->select(
                model().index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    std::vector<int> rowPositions()
    {
        std::vector<int> positions;
        for (const QuestionRow &row : model().rows())
            positions.push_back(row.position);
        return positions;
    }
    void clickCheckBox(int row)
    {
        const QRect cell = view()->visualRect(model().index(row, 0));
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {},
                          QPoint(cell.left() + 10, cell.center().y()));
    }
    CQuestionlogPage page;
};

// The page with its open menus painted where they stand, for a look at the popups.
void saveWithMenus(QWidget *page, const QList<QMenu *> &menus, const QString &name)
{
    const QString folder = qEnvironmentVariable("KVR_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    const QPoint origin = page->mapToGlobal(QPoint(0, 0));
    QRect area(origin, page->size());
    for (QMenu *menu : menus)
        area = area.united(menu->geometry());
    QPixmap shot(area.size());
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(origin - area.topLeft(), page->grab());
    for (QMenu *menu : menus)
        painter.drawPixmap(menu->pos() - area.topLeft(), menu->grab());
    painter.end();
    QDir().mkpath(folder);
    shot.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// A click with the pointer over the button, where its popup opens.
void pressAtCursor(QPushButton *button)
{
    const QPoint centre = button->rect().center();
    QCursor::setPos(button->mapToGlobal(centre));
    QTest::mouseClick(button, Qt::LeftButton, {}, centre);
}

std::vector<int> sorted(std::vector<int> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

} // namespace

class QuestionlogPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutions();
        setenv("TZ", "Asia/Tokyo", 1);
    }
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMenu *>(widget))
                widget->hide();
        }
        expectNoTopLevelWindows();
    }

    void fillShowsTheCoreRows();
    void tickCommandsTickRowsAndUpdateTheCountField();
    void tickingOneOfSeveralSelectedRowsTicksThemAll();
    void headingClicksSortAndFlip();
    void rateRadioRefreshesTheTextsAndSavesAtOnce();
    void popupLooksUpAndPronounces();
    void popupStaysShutForAnEmptyLine();
    void countCorrectionsChangeTheSelectedRowsAndSave();
    void deletingTickedHistoryAsksClearsSavesAndRefreshes();
    void learnTickedStartsADrillOfTheTickedQuestions();
};

void QuestionlogPageTest::fillShowsTheCoreRows()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    FilledPage filled(rig);
    QVERIFY(QTest::qWaitForWindowExposed(&filled.page));
    CSectionLog *record = selectedRecord(rig.context, rig.starterSelection());
    const std::vector<QuestionRow> rows =
        buildQuestionRows(rig.starterSection(), record, RateBasis::Both);
    QCOMPARE(filled.model().rowCount(), static_cast<int>(rows.size()));
    QVERIFY(filled.model().rows() == rows);
    const QHeaderView *header = filled.view()->horizontalHeader();
    // The described widths are minimums; the columns take the list's whole width.
    const int widths[] = { 100, 70, 50, 50, 50 };
    int total = 0;
    for (int column = 0; column < 5; ++column) {
        QVERIFY(header->sectionSize(column) >= widths[column]);
        total += header->sectionSize(column);
    }
    QVERIFY(total >= filled.view()->viewport()->width() - 1);
    QVERIFY(total <= filled.view()->width());
    // A refill puts the rows back in collection order: no sort arrow stays.
    filled.page.sortByColumn(4);
    QVERIFY(header->isSortIndicatorShown());
    filled.page.fill();
    QVERIFY(!header->isSortIndicatorShown());
    QVERIFY(child<QAbstractButton>(&filled.page, "bothRadio")->isChecked());
    QCOMPARE(filled.countField(), QStringLiteral("20"));
    QVERIFY(filled.view()->showGrid());
    QCOMPARE(filled.view()->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(child<QWidget>(&filled.page, "checkSelectButton")->toolTip(),
             utext("選択状態を様々な基準で変更します。右の入力欄で指定した数だけ選択されます。"));
    QCOMPARE(child<QWidget>(&filled.page, "learnTickedButton")->toolTip(),
             utext("チェックで選択されている問題を学習します"));
    saveScreenshot(&filled.page, QStringLiteral("questionlogpage_3runs"));

    filled.page.clear();
    QCOMPARE(filled.model().rowCount(), 0);
}

void QuestionlogPageTest::tickCommandsTickRowsAndUpdateTheCountField()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    FilledPage filled(rig);
    const CSectionLog *record = selectedRecord(rig.context, rig.starterSelection());

    QTest::mouseClick(child<QPushButton>(&filled.page, "lastMissedButton"), Qt::LeftButton);
    const std::vector<int> missed(record->lastMissed.begin(), record->lastMissed.end());
    QVERIFY(!missed.empty());
    QCOMPARE(sorted(filled.ticked()), sorted(missed));
    QCOMPARE(filled.countField(), QString::number(missed.size()));

    auto *checkMenu = child<QMenu>(&filled.page, "CheckSelect");
    pressAtCursor(child<QPushButton>(&filled.page, "checkSelectButton"));
    QTRY_VERIFY(checkMenu->isVisible());
    QCOMPARE(textsOf(checkMenu),
             QStringList({ utext("正解率の低い問題(&W)"), utext("前回間違えた問題(&L)"),
                           utext("ランダム(&R)"), utext("反転(&I)"), utext("全て解除(&C)") }));
    saveWithMenus(&filled.page, { checkMenu }, QStringLiteral("questionlogpage_checkselect"));
    itemOf(checkMenu, utext("全て解除(&C)"))->trigger();
    checkMenu->hide();
    QVERIFY(filled.ticked().empty());
    QCOMPARE(filled.countField(), QStringLiteral("0"));

    auto *worstMenu = child<QMenu>(&filled.page, "SelectWorst");
    pressAtCursor(child<QPushButton>(&filled.page, "selectWorstButton"));
    QTRY_VERIFY(worstMenu->isVisible());
    QCOMPARE(textsOf(worstMenu), QStringList({ utext("&10問"), utext("&20問"), utext("&30問") }));
    saveWithMenus(&filled.page, { worstMenu }, QStringLiteral("questionlogpage_selectworst"));
    itemOf(worstMenu, utext("&10問"))->trigger();
    worstMenu->hide();
    const std::vector<int> weakest =
        *weakestTicks(rig.starterSection(), record, 10, RateBasis::Both);
    QCOMPARE(sorted(filled.ticked()), sorted(weakest));
    QCOMPARE(filled.countField(), QStringLiteral("10"));

    // "ランダム(&R)" with the field at 0 writes 20 back, then shows what was ticked.
    child<QLineEdit>(&filled.page, "selectionCountField")->setText(QStringLiteral("0"));
    filled.page.runCheck(CheckCommand::Random);
    QCOMPARE(filled.ticked().size(), std::size_t(20));
    QCOMPARE(filled.countField(), QStringLiteral("20"));
    filled.page.runCheck(CheckCommand::Invert);
    QCOMPARE(filled.ticked().size(), std::size_t(rig.starterSection().questionCount() - 20));
}

void QuestionlogPageTest::tickingOneOfSeveralSelectedRowsTicksThemAll()
{
    HistoryPageRig rig;
    FilledPage filled(rig);
    QVERIFY(QTest::qWaitForWindowExposed(&filled.page));
    filled.selectRows({ 1, 2, 3 });
    filled.clickCheckBox(2);
    QCOMPARE(filled.ticked(), std::vector<int>({ 1, 2, 3 }));
    QCOMPARE(filled.countField(), QStringLiteral("3"));

    filled.selectRows({ 1, 2, 3 });
    filled.clickCheckBox(6); // not selected: only that row
    QCOMPARE(filled.ticked(), std::vector<int>({ 1, 2, 3, 6 }));
    QCOMPARE(filled.countField(), QStringLiteral("4"));
}

void QuestionlogPageTest::headingClicksSortAndFlip()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    FilledPage filled(rig);
    QVERIFY(QTest::qWaitForWindowExposed(&filled.page));
    QHeaderView *header = filled.view()->horizontalHeader();
    const int rateColumn = static_cast<int>(QuestionColumn::Rate);
    const QPoint rateHeading(header->sectionViewportPosition(rateColumn) + 10,
                             header->height() / 2);

    for (bool ascending : { true, false }) {
        std::vector<QuestionRow> expected = filled.model().rows();
        sortQuestionRows(expected, QuestionColumn::Rate, ascending, true);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, rateHeading);
        QVERIFY(filled.model().rows() == expected);
        QCOMPARE(header->sortIndicatorSection(), rateColumn);
        QCOMPARE(header->sortIndicatorOrder(),
                 ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    saveScreenshot(&filled.page, QStringLiteral("questionlogpage_sorted"));
}

void QuestionlogPageTest::rateRadioRefreshesTheTextsAndSavesAtOnce()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    FilledPage filled(rig);
    QVERIFY(QTest::qWaitForWindowExposed(&filled.page));
    QTest::mouseClick(child<QAbstractButton>(&filled.page, "retryRadio"), Qt::LeftButton);
    QCOMPARE(rig.settings.CorrectrateMode, 1);
    QCOMPARE(rig.store.readInt("Options", "CorrectrateMode"), std::optional<std::int32_t>(1));
    std::vector<QuestionRow> expected = filled.model().rows();
    refreshCountCells(expected, selectedRecord(rig.context, rig.starterSelection()),
                      RateBasis::Retries);
    QVERIFY(filled.model().rows() == expected);
}

void QuestionlogPageTest::popupLooksUpAndPronounces()
{
    HistoryPageRig rig;
    // A site with a very long title: its items are cut, so the submenu keeps its width.
    rig.webDictionaries.push_back(WebDictionary {
        0, true, cp932::text("とても長い名前のオンライン英和辞典サイト（例文・発音・語源つき）"),
        "https://long.example/?q=", "" });
    FilledPage filled(rig);
    QVERIFY(QTest::qWaitForWindowExposed(&filled.page));
    filled.selectRows({ 0, 4 });
    const CQuestion first = questionAt(rig.starterSection(), 0);
    QMenu *popup = filled.page.popup();
    filled.page.openPopup(filled.view()->viewport()->mapToGlobal(QPoint(60, 30)));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->objectName(), QStringLiteral("QuestionLogPopup"));
    QCOMPARE(textsOf(popup),
             QStringList({ utext("発音(&S)"), utext("Web辞書で検索(&W)"), QStringLiteral("-"),
                           utext("チェックした問題の履歴を削除...(&D)"), QStringLiteral("-"),
                           utext("正解数±(&C)"), utext("不正解数±(&I)") }));
    QVERIFY(popup->actions()[0]->isEnabled());
    auto *web = child<QMenu>(&filled.page, "webLookupMenu");
    QStringList expectedItems;
    for (const WebLookupItem &item : webLookupItems(rig.webDictionaries, first))
        expectedItems << qtext(item.text);
    QVERIFY(!expectedItems.isEmpty());
    QCOMPARE(textsOf(web), expectedItems);
    const QStringList corrections = { "+10", "+5", "+4", "+3", "+2", "+1", "0",
                                      "-1",  "-2", "-3", "-4", "-5", "-10" };
    QCOMPARE(textsOf(child<QMenu>(&filled.page, "correctMenu")), corrections);
    QCOMPARE(textsOf(child<QMenu>(&filled.page, "incorrectMenu")), corrections);
    web->popup(popup->geometry().topRight()
               + QPoint(-4, popup->actionGeometry(popup->actions()[1]).top()));
    QTRY_VERIFY(web->isVisible());
    QVERIFY2(web->width() < 500, qPrintable(QString::number(web->width())));
    saveWithMenus(&filled.page, { popup, web }, QStringLiteral("questionlogpage_popup"));

    web->actions()[0]->trigger();
    web->hide();
    popup->hide();
    const int command = webLookupItems(rig.webDictionaries, first).front().command;
    const std::optional<WebLookupRequest> request = webLookupRequest(command, first);
    const std::optional<std::string> url =
        webLookupUrl(rig.webDictionaries[static_cast<std::size_t>(request->site)], request->text);
    QCOMPARE(rig.shell.addresses, std::vector<std::string>({ *url }));

    // "発音(&S)" speaks the ticked questions, not the selected ones.
    filled.model().marks().checkOnly({ 2, 3 });
    filled.model().marksChanged();
    popup->actions()[0]->trigger();
    CRecordingSpeechEngine reference;
    CPronunciation voice(&reference, rig.sound, rig.settings);
    voice.pronounceQuestions(questionsAt(rig.starterSection(), { 2, 3 }));
    QVERIFY(!reference.calls.empty());
    QCOMPARE(rig.speech.calls, reference.calls);

    rig.speech.available = false;
    filled.page.openPopup(filled.view()->viewport()->mapToGlobal(QPoint(60, 30)));
    QVERIFY(!popup->actions()[0]->isEnabled());
    popup->hide();
}

void QuestionlogPageTest::popupStaysShutForAnEmptyLine()
{
    HistoryPageRig rig;
    CSection &section = rig.database.root.addSection();
    section.name = "gaps";
    section.appendLine("");
    section.appendLine("?word,,,,," + cp932::text("言葉") + ",,,");
    CQuestionlogPage page(rig.context);
    page.setSelection({ "gaps", TreeSelection::Collection, 1 });
    page.resize(420, 400);
    page.show();
    page.fill();
    auto *view = child<QTableView>(&page, "questionList");
    page.openPopup(QPoint(50, 50)); // nothing selected
    QVERIFY(!page.popup()->isVisible());
    view->selectionModel()->select(page.model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(page.model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    page.openPopup(QPoint(50, 50));
    QVERIFY(!page.popup()->isVisible());
}

void QuestionlogPageTest::countCorrectionsChangeTheSelectedRowsAndSave()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    FilledPage filled(rig);
    filled.selectRows({ 0, 1 });
    CSectionLog *record = selectedRecord(rig.context, rig.starterSelection());
    itemOf(child<QMenu>(&filled.page, "correctMenu"), QStringLiteral("+10"))->trigger();
    itemOf(child<QMenu>(&filled.page, "incorrectMenu"), QStringLiteral("-3"))->trigger();
    for (int position : { 0, 1 }) {
        QCOMPARE(getTally(*record, position, QuestionTally::FirstCorrectAdjust), 10);
        QCOMPARE(getTally(*record, position, QuestionTally::FirstIncorrectAdjust), -3);
    }
    QCOMPARE(getTally(*record, 2, QuestionTally::FirstCorrectAdjust), 0);
    std::vector<QuestionRow> expected = filled.model().rows();
    refreshCountCells(expected, record, RateBasis::Both);
    QVERIFY(filled.model().rows() == expected);
    CAnswerLog saved;
    QVERIFY(saved.loadAnswerLog(rig.settings.LogPath));
    QVERIFY(saved.users == rig.log.users);
    QCOMPARE(rig.refreshes, 0); // the marks and the order stay
    saveScreenshot(&filled.page, QStringLiteral("questionlogpage_corrected"));
}

void QuestionlogPageTest::deletingTickedHistoryAsksClearsSavesAndRefreshes()
{
    HistoryPageRig rig;
    rig.addStarterHistory(3);
    FilledPage filled(rig);
    CSectionLog *record = selectedRecord(rig.context, rig.starterSelection());
    setTally(*record, 1, QuestionTally::FirstCorrectAdjust, 2);
    filled.model().marks().checkOnly({ 0, 1 });
    auto *erase = filled.page.popup()->findChild<QAction *>(QStringLiteral("deleteHistoryItem"));
    QVERIFY(erase);
    rig.prompter.push(Reply::Yes);
    erase->trigger();
    QCOMPARE(rig.prompter.asked.size(), std::size_t(1));
    QCOMPARE(rig.prompter.asked[0].caption, cp932::text("削除の確認"));
    for (int position : { 0, 1 }) {
        for (auto field : { QuestionTally::FirstCorrect, QuestionTally::FirstIncorrect,
                            QuestionTally::RetryCorrect, QuestionTally::RetryIncorrect })
            QCOMPARE(getTally(*record, position, field), 0);
    }
    QCOMPARE(getTally(*record, 1, QuestionTally::FirstCorrectAdjust), 2);
    QCOMPARE(rig.refreshes, 1);
    CAnswerLog saved;
    QVERIFY(saved.loadAnswerLog(rig.settings.LogPath));
    QVERIFY(saved.users == rig.log.users);
}

void QuestionlogPageTest::learnTickedStartsADrillOfTheTickedQuestions()
{
    HistoryPageRig rig;
    rig.settings.LogMode = static_cast<int>(LogModeIndex::SpeedReply);
    FilledPage filled(rig);
    auto *learn = child<QPushButton>(&filled.page, "learnTickedButton");
    QTest::mouseClick(learn, Qt::LeftButton);
    QVERIFY(rig.drills.empty()); // nothing ticked

    filled.model().marks().checkOnly({ 5, 2 });
    QTest::mouseClick(learn, Qt::LeftButton);
    QCOMPARE(rig.drills.size(), std::size_t(1));
    QCOMPARE(rig.drills[0].sectionPath, starterCollectionPath());
    QCOMPARE(rig.drills[0].selection, std::vector<int>({ 2, 5 }));
    QCOMPARE(rig.drills[0].count, -1);
    QCOMPARE(rig.drills[0].pendingMode, static_cast<int>(DrillMode::SpeedReply));
}

QTEST_MAIN(QuestionlogPageTest)
#include "questionlogpage_test.moc"
