// The per-question list's item model, and the page filling and sorting a large collection.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "history/answerlog.h"
#include "history/ui/questionlogmodel.h"
#include "history/ui/questionlogpage.h"
#include "history/ui/testsupport_history.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

// count question lines, with a plain line and an empty one after the first two.
CSection sectionOf(int count)
{
    CSection section;
    section.name = "big";
    for (int i = 0; i < count; ++i) {
        section.appendLine("?word" + std::to_string((i * 7919) % count) + ",,,,,"
                           + cp932::text("言葉") + std::to_string(i) + ",,,");
        if (i == 1) {
            section.appendLine("plain line");
            section.appendLine("");
        }
    }
    return section;
}

// A record whose tallies differ from question to question.
CSectionLog recordFor(const CSection &section)
{
    CSectionLog record;
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        QuestionTally tally;
        tally.values[QuestionTally::FirstCorrect] = static_cast<std::int32_t>(i * 13 % 7);
        tally.values[QuestionTally::FirstIncorrect] = static_cast<std::int32_t>(i * 5 % 4);
        record.tallies().push_back(tally);
    }
    return record;
}

QString cell(const QAbstractItemModel &model, int row, QuestionColumn column)
{
    return model.data(model.index(row, static_cast<int>(column))).toString();
}

} // namespace

class QuestionLogModelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void passesTheModelTesterThroughFillSortAndClear();
    void rolesCarryTheRowsTextsMarksAndColours();
    void aCheckBoxIsReportedNotApplied();
    void selectionFollowsItsRowsThroughASort();
    void fiveThousandQuestionsFillAndSort();
};

void QuestionLogModelTest::passesTheModelTesterThroughFillSortAndClear()
{
    CQuestionLogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const CSection section = sectionOf(40);
    CSectionLog record = recordFor(section);
    model.setRows(buildQuestionRows(section, &record, RateBasis::FirstAnswers));
    QCOMPARE(model.rowCount(), static_cast<int>(section.lines.size()));
    QCOMPARE(model.columnCount(), kQuestionColumnCount);
    model.sortRows(QuestionColumn::Rate, true, true);
    model.sortRows(QuestionColumn::Question, false, true);
    model.refreshCounts(&record, RateBasis::Both);
    model.marks().invert();
    model.marksChanged();
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

void QuestionLogModelTest::rolesCarryTheRowsTextsMarksAndColours()
{
    CQuestionLogModel model;
    const CSection section = sectionOf(3);
    CSectionLog record = recordFor(section);
    record.tallies()[0].values[QuestionTally::FirstCorrect] = 3;
    record.tallies()[0].values[QuestionTally::FirstCorrectAdjust] = 10;
    record.tallies()[0].values[QuestionTally::FirstIncorrect] = 1;
    std::vector<QuestionRow> rows = buildQuestionRows(section, &record, RateBasis::FirstAnswers);
    const QuestionRow first = rows[0];
    model.setRows(std::move(rows));

    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), utext("問題"));
    QCOMPARE(model.headerData(4, Qt::Horizontal).toString(), utext("正解率"));
    for (int column = 0; column < kQuestionColumnCount; ++column)
        QCOMPARE(cell(model, 0, static_cast<QuestionColumn>(column)),
                 qtext(first.cells[static_cast<std::size_t>(column)]));
    QCOMPARE(cell(model, 0, QuestionColumn::Correct), QStringLiteral("13 (3+10)"));
    QCOMPARE(model.data(model.index(0, 4), Qt::ForegroundRole).value<QColor>(),
             toQColor(first.rateColour));
    QCOMPARE(model.data(model.index(2, 3), Qt::UserRole).toInt(), 2);
    QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    QVERIFY(!(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable));
    QCOMPARE(model.data(model.index(3, 0), Qt::CheckStateRole).value<Qt::CheckState>(),
             Qt::Unchecked);
    model.marks().checkOnly({ 3 });
    model.marksChanged();
    QCOMPARE(model.data(model.index(3, 0), Qt::CheckStateRole).value<Qt::CheckState>(),
             Qt::Checked);
    QVERIFY(!model.data(model.index(3, 1), Qt::CheckStateRole).isValid());
}

void QuestionLogModelTest::aCheckBoxIsReportedNotApplied()
{
    CQuestionLogModel model;
    const CSection section = sectionOf(3);
    model.setRows(buildQuestionRows(section, nullptr, RateBasis::Both));
    model.sortRows(QuestionColumn::Question, false, false);
    QSignalSpy toggled(&model, &CQuestionLogModel::checkToggled);
    QVERIFY(model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled[0][0].toInt(), model.rowAt(0).position);
    QCOMPARE(toggled[0][1].toBool(), true);
    QVERIFY(!model.marks().isChecked(model.rowAt(0).position)); // the page decides
    QVERIFY(!model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("x"), Qt::EditRole));
}

void QuestionLogModelTest::selectionFollowsItsRowsThroughASort()
{
    CQuestionLogModel model;
    const CSection section = sectionOf(30);
    model.setRows(buildQuestionRows(section, nullptr, RateBasis::Both));
    QTableView view;
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.selectionModel()->select(model.index(5, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const int position = model.rowAt(5).position;
    model.sortRows(QuestionColumn::Question, false, false);
    const QModelIndexList selected = view.selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(model.rowAt(selected[0].row()).position, position);
    QVERIFY(selected[0].row() != 5);
}

// The page over a collection of 5,000 questions with a learner's record: filling it (rows,
// model, view laid out and painted) and sorting a column complete. How fast the rows are
// built and sorted is measured by bench/history_rows_bench.
void QuestionLogModelTest::fiveThousandQuestionsFillAndSort()
{
    HistoryPageRig rig;
    CFolder &root = rig.database.root;
    CSection &big = root.addSection();
    big = sectionOf(5000);
    big.name = "big";
    const std::string path = "big";
    FinishedDrill drill;
    drill.userName = rig.settings.UserName;
    drill.sectionPath = path;
    drill.tallies = recordFor(big).tallies();
    rig.log.recordFinishedDrill(drill, rig.settings.LogPath);

    CQuestionlogPage page(rig.context);
    page.setSelection({ path, TreeSelection::Collection, big.questionCount() });
    page.resize(400, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto *view = page.findChild<QTableView *>(QStringLiteral("questionList"));

    page.fill();
    view->viewport()->repaint();
    QCOMPARE(page.model()->rowCount(), 5002);
    page.sortByColumn(static_cast<int>(QuestionColumn::Rate));
    view->viewport()->repaint();
    QCOMPARE(page.model()->rowCount(), 5002);
}

QTEST_MAIN(QuestionLogModelTest)
#include "questionlogmodel_test.moc"
