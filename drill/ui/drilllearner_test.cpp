// The drill window's helps for learners: the notice of full-width typing and
// "正解にする(&O)". Their rules are the session's; these check that the window shows them.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "drill/ui/testsupport_drillwindow.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::session_test;
using kvr::ui::utext;

class DrillLearnerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::installFontSubstitutions(); }
    void cleanup() { test::expectNoTopLevelWindows(); }

    void fullWidthAnswerShowsTheWidthNotice()
    {
        WindowRig rig;
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        sendCommit(rig.input(), utext("ａｐｐｌｅ"));
        QTest::keyClick(rig.input(), Qt::Key_Return);
        QCOMPARE(rig.labelText("feedback"), utext("ほかには？"));
        QVERIFY(rig.widget<QLabel>("notice")->isVisible());
        QCOMPARE(rig.labelText("notice"), utext("全角で入力されています（IMEがオンのままです）"));
        QVERIFY(!rig.widget<QLabel>("instruction")->isVisible());
        test::saveScreenshot(rig.dlg.get(), QStringLiteral("drill-width-notice"));
    }

    void acceptButtonInTheCorrectionAtEachSkin_data()
    {
        QTest::addColumn<QString>("skin");
        for (const char *skin : { "default", "compact", "large" })
            QTest::newRow(skin) << QString::fromLatin1(skin);
    }

    void acceptButtonInTheCorrectionAtEachSkin()
    {
        QFETCH(QString, skin);
        WindowRig rig;
        rig.settings.SkinPath = sourceFile(("data/skin/" + skin + ".ini").toLatin1().constData());
        QVERIFY(rig.open(setupOf(words())));
        QVERIFY(rig.awaitingAnswer());
        auto *accept = rig.widget<QPushButton>("acceptButton");
        QVERIFY(!accept->isVisible());
        rig.typeAndEnter("apples");
        QVERIFY(rig.awaitingAnswer());
        QCOMPARE(rig.state(), DrillState::Correcting);
        QVERIFY(accept->isVisible() && accept->isEnabled());
        QCOMPARE(accept->text(), utext("正解にする(&O)"));
        QTest::mouseClick(rig.widget<QPushButton>("hintButton"), Qt::LeftButton);
        expectNothingOverlaps(rig);
        test::saveScreenshot(rig.dlg.get(), "drill-accept-as-correct-" + skin);
        QTest::mouseClick(accept, Qt::LeftButton);
        QCOMPARE(rig.state(), DrillState::ShowingCorrect);
        QCOMPARE(rig.labelText("correctNow"), QStringLiteral("   1"));
        QVERIFY(!accept->isVisible());
    }
};

QTEST_MAIN(DrillLearnerTest)
#include "drilllearner_test.moc"
