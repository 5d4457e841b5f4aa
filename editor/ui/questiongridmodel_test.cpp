#include <string>
#include <vector>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "editor/editorsession.h"
#include "editor/questiongrid.h"
#include "editor/ui/questiongridmodel.h"
#include "platform/cp932.h"
#include "platform/ui/qtext.h"

using namespace kvr;
using namespace kvr::ui;

class QuestionGridModelTest : public QObject
{
    Q_OBJECT

private:
    static EditorView viewOf(const CQuestionGrid &grid, int revision)
    {
        EditorView view;
        view.gridRevision = revision;
        view.currentRow = grid.currentRow();
        return view;
    }

private slots:
    void showsTheRowsTheColumnsAndTheEmptyLastRow()
    {
        CQuestionGrid grid;
        grid.load({ "?apple,ringo,,,," + cp932::text("りんご\\n二行目") + ",hint1\\nhint2,a.wav,x",
                    "plain" });
        CQuestionGridModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.sync(viewOf(grid, 1));

        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 12);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("apple"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("ringo"));
        QCOMPARE(model.index(0, 5).data().toString(), utext("りんご"));
        QCOMPARE(model.index(0, 6).data().toString(), utext("二行目"));
        QCOMPARE(model.index(0, 7).data().toString(), QStringLiteral("hint1"));
        QCOMPARE(model.index(0, 8).data().toString(), QStringLiteral("hint2"));
        QCOMPARE(model.index(0, 10).data().toString(), QStringLiteral("a.wav"));
        QCOMPARE(model.index(0, 11).data().toString(), QStringLiteral("x"));
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("plain"));
        for (int column = 0; column < 12; ++column)
            QVERIFY(model.index(2, column).data().toString().isEmpty());

        const struct
        {
            int column;
            const char *title;
            int width;
        } columns[] = { { 0, "解答１", 60 },          { 4, "解答５", 60 },
                        { 5, "問題（１行目）", 120 }, { 6, "問題（２行目）", 120 },
                        { 7, "ﾋﾝﾄ１", 60 },           { 10, "WAVﾌｧｲﾙ", 40 },
                        { 11, "拡張データ", 80 } };
        for (const auto &column : columns) {
            QCOMPARE(model.headerData(column.column, Qt::Horizontal).toString(),
                     utext(column.title));
            QCOMPARE(CQuestionGridModel::columnWidth(column.column), column.width);
        }
    }

    // A keystroke in a collection of 5,000 questions rewrites one row, not the table.
    void anEditOfTheCurrentRowChangesOnlyThatRow()
    {
        std::vector<std::string> lines(5000, "word");
        CQuestionGrid grid;
        grid.load(lines);
        CQuestionGridModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.sync(viewOf(grid, 1));
        QCOMPARE(model.rowCount(), 5001);

        grid.selectRow(1234);
        model.sync(viewOf(grid, 1));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        grid.editField(EditField::Answer, "words");
        model.sync(viewOf(grid, 1));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes[0][0].toModelIndex(), model.index(1234, 0));
        QCOMPARE(changes[0][1].toModelIndex(), model.index(1234, 11));
        QCOMPARE(model.index(1234, 0).data().toString(), QStringLiteral("words"));

        // Moving on also refreshes the row left behind.
        changes.clear();
        grid.selectRow(10);
        model.sync(viewOf(grid, 1));
        QCOMPARE(changes.count(), 2);
        QCOMPARE(changes[0][0].toModelIndex().row(), 1234);
        QCOMPARE(changes[1][0].toModelIndex().row(), 10);
    }

    void aNewRevisionOrRowCountRefillsTheTable()
    {
        CQuestionGrid grid;
        grid.load({ "a", "b" });
        CQuestionGridModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.sync(viewOf(grid, 1));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

        grid.reorder({ 1, 0, 2 });
        model.sync(viewOf(grid, 2));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("b"));

        // Typing into the empty last row adds a row even at the same revision.
        grid.selectRow(2);
        grid.editField(EditField::Answer, "c");
        model.sync(viewOf(grid, 2));
        QCOMPARE(resets.count(), 2);
        QCOMPARE(model.rowCount(), 4);

        grid.clear();
        model.sync(viewOf(grid, 3));
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_MAIN(QuestionGridModelTest)
#include "questiongridmodel_test.moc"
