#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/kvrsettings.h"
#include "history/answerlog.h"
#include "history/learners.h"
#include "history/testsupport_learners.h"
#include "history/ui/learnerdialogs.h"
#include "history/ui/useradddlg.h"
#include "history/ui/usermanagerdlg.h"
#include "history/ui/userregistrationdlg.h"
#include "history/ui/userrenamedlg.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/settingsstore.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"
#include "platform/ui/testsupport_widgets.h"

using namespace kvr;
using namespace kvr::ui;
using namespace kvr::test;

namespace {

// The modal dialog a call opened, expected to be a Dialog; anything else is closed so the
// test fails instead of hanging.
template <typename Dialog> Dialog *modalDialog()
{
    QWidget *widget = QApplication::activeModalWidget();
    if (auto *dialog = qobject_cast<Dialog *>(widget))
        return dialog;
    if (auto *other = qobject_cast<QDialog *>(widget))
        other->reject();
    return nullptr;
}

CAnswerLog logOf(std::initializer_list<std::string> names)
{
    CAnswerLog log;
    for (const std::string &name : names)
        log.addUserLog(name);
    return log;
}

} // namespace

class LearnerDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }
    void cleanup() { expectNoTopLevelWindows(); }

    void registrationOffersTheLogAndRefusesAnEmptyName()
    {
        std::string userName;
        int saves = 0;
        CScriptedPrompter prompter;
        const CAnswerLog log = logOf({ sj("山田"), "Bob" });
        CLearnerRegistration model({ userName, [&] { return ++saves > 0; } }, log, prompter);
        CUserRegistrationDlg dialog(model, prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *name = child<QComboBox>(&dialog, "name");
        QCOMPARE(name->count(), 2);
        QCOMPARE(name->currentText(), utext("山田"));
        saveScreenshot(&dialog, "userregistrationdlg");

        name->setEditText({});
        click(&dialog, "ok");
        QCOMPARE(prompter.asked.size(), std::size_t(1));
        QVERIFY(dialog.isVisible());
        QCOMPARE(saves, 0);

        commitText(name->lineEdit(), utext("佐藤"));
        click(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(userName, sj("佐藤"));
        QCOMPARE(saves, 1);
    }

    void oneEnterConfirmsThePreselectedName()
    {
        std::string userName;
        CScriptedPrompter prompter;
        CLearnerRegistration model({ userName, [] { return true; } }, logOf({ sj("山田") }),
                                   prompter);
        CUserRegistrationDlg dialog(model, prompter);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(userName, sj("山田"));
        QVERIFY(prompter.asked.empty());
    }

    void aNameCp932CannotHoldIsRefusedNotStoredAsQuestionMarks()
    {
        std::string userName;
        CScriptedPrompter prompter;
        CLearnerRegistration model({ userName, [] { return true; } }, CAnswerLog(), prompter);
        CUserRegistrationDlg dialog(model, prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        commitText(child<QComboBox>(&dialog, "name")->lineEdit(), utext("김"));
        click(&dialog, "ok");
        QVERIFY(dialog.isVisible());
        QCOMPARE(userName, std::string());
        QCOMPARE(prompter.asked.size(), std::size_t(1));
    }

    void managerButtonsReachTheModel()
    {
        CAnswerLog log = logOf({ "A", "B" });
        std::string userName = "B";
        CScriptedPrompter prompter;
        test::ScriptedLearnerNames names;
        CLearnerManager model({ userName, [] { return true; } }, log, prompter, names);
        CUserManagerDlg dialog(model, prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *entries = child<QListWidget>(&dialog, "entries");
        QCOMPARE(entries->count(), 2);
        QCOMPARE(entries->currentRow(), 1);
        saveScreenshot(&dialog, "usermanagerdlg");

        names.next = sj("新人");
        click(&dialog, "add");
        QCOMPARE(entries->count(), 3);
        QCOMPARE(entries->item(2)->text(), utext("新人"));

        entries->setCurrentRow(0);
        QCOMPARE(model.selected(), 0);
        names.next = "Z";
        click(&dialog, "rename");
        QCOMPARE(names.asked, (std::vector<std::string> { "add", "rename A" }));
        QCOMPARE(entries->item(0)->text(), QString("Z"));

        click(&dialog, "remove");
        QCOMPARE(entries->count(), 2);
        QCOMPARE(entries->currentRow(), -1);

        click(&dialog, "help");
        const std::size_t boxes = prompter.asked.size();
        click(&dialog, "ok"); // nothing selected: refused
        QCOMPARE(prompter.asked.size(), boxes + 1);
        QVERIFY(dialog.isVisible());

        entries->setCurrentRow(0);
        click(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(userName, std::string("B"));
    }

    void addDialogStaysOpenOnAnEmptyName()
    {
        CScriptedPrompter prompter;
        CUserAddDlg dialog(prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveScreenshot(&dialog, "useradddlg");
        click(&dialog, "ok");
        QCOMPARE(prompter.texts(),
                 std::vector<std::string> { sj("新しい利用者名を入力してください。") });
        QVERIFY(dialog.isVisible());
        commitText(child<QLineEdit>(&dialog, "newName"), utext("田中"));
        click(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), sj("田中"));
    }

    void renameDialogShowsTheOldNameReadOnly()
    {
        CScriptedPrompter prompter;
        CUserRenameDlg dialog(sj("鈴木"), prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        saveScreenshot(&dialog, "userrenamedlg");
        auto *old = child<QLineEdit>(&dialog, "oldName");
        QVERIFY(old->isReadOnly());
        QCOMPARE(old->text(), utext("鈴木"));
        auto *newName = child<QLineEdit>(&dialog, "newName");
        QCOMPARE(newName->text(), utext("鈴木"));
        newName->clear();
        commitText(newName, utext("鈴木一郎"));
        click(&dialog, "ok");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), sj("鈴木一郎"));
    }

    void registerFirstLearnerWelcomesThenRegisters()
    {
        CKvrSettings settings;
        CMemorySettingsStore store;
        CScriptedPrompter prompter;
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<CUserRegistrationDlg>();
            QVERIFY(dialog);
            commitText(child<QComboBox>(dialog, "name")->lineEdit(), utext("初回"));
            click(dialog, "ok");
        });
        QVERIFY(registerFirstLearner(nullptr, settings, store, CAnswerLog(), prompter));
        QCOMPARE(prompter.asked.size(), std::size_t(1)); // the welcome
        QCOMPARE(settings.UserName, sj("初回"));
        QCOMPARE(store.readString("Options", "UserName"), std::optional(sj("初回")));

        // Already registered: nothing is shown.
        QVERIFY(registerFirstLearner(nullptr, settings, store, CAnswerLog(), prompter));
        QCOMPARE(prompter.asked.size(), std::size_t(1));
    }

    void manageLearnersGivesFalseOnCancel()
    {
        CKvrSettings settings;
        settings.UserName = "A";
        CMemorySettingsStore store;
        CAnswerLog log = logOf({ "A", "B" });
        CScriptedPrompter prompter;
        QTimer::singleShot(0, [] {
            auto *dialog = modalDialog<CUserManagerDlg>();
            QVERIFY(dialog);
            click(dialog, "cancel");
        });
        QVERIFY(!manageLearners(nullptr, settings, store, log, prompter));
        QCOMPARE(store.changes().size(), std::size_t(0));
    }
};

QTEST_MAIN(LearnerDialogsTest)
#include "learnerdialogs_test.moc"
