#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "editor/ui/csvpreviewdlg.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

class CsvPreviewDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void showsTheRecordsAndGivesTheChosenColumns()
    {
        const CsvFile file = parseCsvFile("word,meaning,note\r\n"
                                          "apple,\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94,fruit\r\n"
                                          "caf\xC3\xA9,\xE5\x96\xAB\xE8\x8C\xB6\xE5\xBA\x97,\r\n"
                                          "run,\"hashiru\nkakeru\",verb\r\n");
        CCsvPreviewDlg dialog(file);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), utext("CSV/テキストから問題集を作成"));
        auto *table = child<QTableWidget>(&dialog, "preview");
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->item(1, 1)->text(), utext("りんご"));
        QCOMPARE(table->item(2, 0)->text(), QString::fromUtf8("caf\u00e9"));
        QVERIFY(child<QLabel>(&dialog, "summary")->text().contains(utext("取り込む問題: 3")));
        QVERIFY(child<QLabel>(&dialog, "leftOut")->text().contains(utext("3行目: U+00E9")));
        QCOMPARE(dialog.columns(), (CsvColumns { 0, 1, -1, false }));

        child<QCheckBox>(&dialog, "headerRow")->click();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), utext("2: meaning"));
        auto *hint = child<QComboBox>(&dialog, "hint");
        QCOMPARE(hint->itemText(0), utext("（なし）"));
        hint->setCurrentIndex(hint->findData(2));
        QCOMPARE(child<QComboBox>(&dialog, "answer")->currentText(), utext("1: word"));
        QVERIFY(child<QLabel>(&dialog, "summary")->text().contains(utext("取り込む問題: 2")));
        saveScreenshot(&dialog, "editor_csvpreviewdlg");
        QCOMPARE(dialog.columns(), (CsvColumns { 0, 1, 2, true }));
    }
};

QTEST_MAIN(CsvPreviewDlgTest)
#include "csvpreviewdlg_test.moc"
