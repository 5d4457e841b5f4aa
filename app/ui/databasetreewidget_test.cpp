#include <QSignalSpy>
#include <QTest>

#include "app/ui/databasetreewidget.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

// 英語 { Unit2, Unit1 }, Zeta: the database's order; the tree sorts by the bytes of the names,
// so Zeta comes before 英語 and Unit1 before Unit2.
TreeNode sampleTree()
{
    CQuestionDatabase database;
    CFolder &folder = database.root.addFolder();
    folder.name = cp932::text("英語");
    folder.addSection().name = "Unit2";
    folder.addSection().name = "Unit1";
    database.root.addSection().name = "Zeta";
    return buildDatabaseTree(database.root);
}

QPoint centreOf(CDatabaseTreeWidget &tree, const TreeIndexPath &chain)
{
    return tree.visualItemRect(tree.itemAt(chain)).center();
}

} // namespace

class DatabaseTreeWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void fillsSortedLevelsAndAddressesNodesByChain()
    {
        CDatabaseTreeWidget tree;
        QSignalSpy selected(&tree, &CDatabaseTreeWidget::chainSelected);
        tree.setTree(sampleTree());
        QCOMPARE(tree.topLevelItemCount(), 2);
        QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("Zeta"));
        QCOMPARE(tree.topLevelItem(1)->text(0), utext("英語"));
        QCOMPARE(tree.topLevelItem(1)->child(0)->text(0), QStringLiteral("Unit1"));
        QVERIFY(tree.currentChain().empty());
        QCOMPARE(selected.count(), 0); // a refill is not a selection

        const TreeIndexPath unit1 { 1, 0 };
        QCOMPARE(tree.chainOf(tree.itemAt(unit1)), unit1);
        QVERIFY(!tree.itemAt({ 1, 5 }));
        QVERIFY(!tree.itemAt({}));
        QVERIFY(!tree.selectChain({ 3 }));
    }

    void selectsLoudlyOrSilently()
    {
        CDatabaseTreeWidget tree;
        tree.setTree(sampleTree());
        QSignalSpy selected(&tree, &CDatabaseTreeWidget::chainSelected);
        QVERIFY(tree.selectChain({ 1, 1 }));
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.last().at(0).value<TreeIndexPath>(), (TreeIndexPath { 1, 1 }));
        QVERIFY(tree.itemAt({ 1 })->isExpanded());
        // Selecting the current node again still tells, so the caller can refresh.
        QVERIFY(tree.selectChain({ 1, 1 }));
        QCOMPARE(selected.count(), 2);
        // A refused selection is put back without telling anyone.
        QVERIFY(tree.selectChain({ 0 }, false));
        QCOMPARE(selected.count(), 2);
        QCOMPARE(tree.currentChain(), (TreeIndexPath { 0 }));
    }

    void rightButtonAsksForThePopupWithoutMovingTheSelection()
    {
        CDatabaseTreeWidget tree;
        tree.setTree(sampleTree());
        tree.resize(200, 200);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        tree.selectChain({ 0 });
        QSignalSpy popup(&tree, &CDatabaseTreeWidget::popupRequested);
        QSignalSpy activated(&tree, &CDatabaseTreeWidget::collectionActivated);
        QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, centreOf(tree, { 1 }));
        QCOMPARE(popup.count(), 1);
        QCOMPARE(popup.last().at(1).value<TreeIndexPath>(), (TreeIndexPath { 1 }));
        QCOMPARE(tree.currentChain(), (TreeIndexPath { 0 }));

        // A double click starts only a collection.
        emit tree.itemDoubleClicked(tree.itemAt({ 0 }), 0);
        QCOMPARE(activated.count(), 1);
        emit tree.itemDoubleClicked(tree.itemAt({ 1 }), 0);
        QCOMPARE(activated.count(), 1);
        saveScreenshot(&tree, QStringLiteral("databasetree"));
    }

    // Folders nest to any depth; filling the control walks the levels without recursing.
    void fillsADeeplyNestedTree()
    {
        constexpr int kLevels = 10000;
        CQuestionDatabase database;
        CFolder *folder = &database.root;
        for (int level = 0; level < kLevels; ++level) {
            folder = &folder->addFolder();
            folder->name = cp932::text("階層") + std::to_string(level);
        }
        folder->addSection().name = "end";

        CDatabaseTreeWidget tree;
        tree.setTree(buildDatabaseTree(database.root));
        const TreeIndexPath deepest(kLevels + 1, 0);
        QTreeWidgetItem *end = tree.itemAt(deepest);
        QVERIFY(end);
        QCOMPARE(end->text(0), QStringLiteral("end"));
        QCOMPARE(end->parent()->text(0), utext("階層") + QString::number(kLevels - 1));
        QCOMPARE(tree.chainOf(end), deepest);

        const TreeIndexPath shown(8, 0);
        QVERIFY(tree.selectChain(shown, false));
        tree.resize(240, 220);
        tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tree));
        saveScreenshot(&tree, QStringLiteral("databasetree_deep"));
        tree.setTree(sampleTree()); // the deep items go
        QCOMPARE(tree.topLevelItemCount(), 2);
    }
};

QTEST_MAIN(DatabaseTreeWidgetTest)
#include "databasetreewidget_test.moc"
