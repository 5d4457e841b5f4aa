#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "db/questiondatabase.h"
#include "drill/questionlist.h"
#include "drill/ui/questionlistdlg.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/testsupport.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

CSection animals()
{
    CSection section;
    section.name = cp932::text("動物");
    for (const char *line : { "?dog,hound,,,,犬%no", "?cat,,,,,猫\\nねこ", "?bird,fowl,,,,鳥",
                              "?a very long answer that runs past the column,,,,,象" })
        section.lines.push_back(cp932::text(line));
    return section;
}

QStringList shownRows(QWidget *dialog)
{
    QStringList rows;
    auto *list = child<QListWidget>(dialog, "rows");
    for (int i = 0; i < list->count(); ++i)
        rows.append(list->item(i)->text());
    return rows;
}

QStringList rowsOf(const QuestionList &list)
{
    QStringList rows;
    for (const std::string &row : list.rows)
        rows.append(qtext(row));
    return rows;
}

} // namespace

class QuestionListDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void opensWithAutoCountAndRebuildsOnEveryChoice()
    {
        const CSection section = animals();
        CScriptedPrompter prompter;
        kvr::test::ScriptedFileDialogs files;
        CQuestionListDlg dialog(section, utext("動物"), prompter, files);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveScreenshot(&dialog, "questionlistdlg");
        QCOMPARE(dialog.windowTitle(), utext("動物 - 問題一覧"));
        QCOMPARE(dialog.size(), QSize(640, 480));
        QVERIFY(child<QRadioButton>(&dialog, "opt")->isChecked());
        QCOMPARE(child<QSpinBox>(&dialog, "optWidth")->value(), autoCountWidth(section));
        QCOMPARE(shownRows(&dialog),
                 rowsOf(buildQuestionList(section, autoCountWidth(section), true)));

        QTest::mouseClick(child<QRadioButton>(&dialog, "width4"), Qt::LeftButton);
        QCOMPARE(shownRows(&dialog), rowsOf(buildQuestionList(section, 4, true)));

        QTest::mouseClick(child<QCheckBox>(&dialog, "blankRows"), Qt::LeftButton);
        QCOMPARE(shownRows(&dialog), rowsOf(buildQuestionList(section, 4, false)));

        child<QSpinBox>(&dialog, "optWidth")->setValue(40);
        QVERIFY(child<QRadioButton>(&dialog, "opt")->isChecked());
        QCOMPARE(shownRows(&dialog), rowsOf(buildQuestionList(section, 40, false)));
        QVERIFY(prompter.asked.empty());

        dialog.resize(dialog.minimumSize());
        QCOMPARE(dialog.size(), QSize(300, 300));
        saveScreenshot(&dialog, "questionlistdlg-smallest");
    }

    void exportWritesTheShownRows()
    {
        const CSection section = animals();
        CScriptedPrompter prompter;
        kvr::test::ScriptedFileDialogs files;
        CQuestionListDlg dialog(section, QString(), prompter, files);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(child<QRadioButton>(&dialog, "width32"), Qt::LeftButton);

        TempFolder folder;
        files.answers = { folder / "list.txt" };
        QTest::mouseClick(child<QPushButton>(&dialog, "export"), Qt::LeftButton);
        QCOMPARE(files.requests.size(), std::size_t(1));
        QVERIFY(qtext(files.requests[0].proposedName).endsWith(utext("問題一覧.txt")));
        QVERIFY(files.requests[0].mode == FileDialogMode::Save);
        std::string expected;
        for (const QString &row : shownRows(&dialog))
            expected += kvr::ui::cp932(row) + "\r\n";
        QCOMPARE(readFile(folder / "list.txt"), expected);
        QVERIFY(prompter.asked.empty());

        QTest::mouseClick(child<QPushButton>(&dialog, "close"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(QuestionListDlgTest)
#include "questionlistdlg_test.moc"
