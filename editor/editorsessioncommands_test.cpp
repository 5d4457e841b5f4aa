#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "db/exportfile.h"
#include "db/testsupport_tree.h"
#include "editor/editorstartup.h"
#include "editor/testsupport_editor.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::outlineOf;
using test::SessionFiles;
using Strings = std::vector<std::string>;

HeaderForm named(std::string name, bool under = false)
{
    HeaderForm form;
    form.name = std::move(name);
    form.copyrightHolder = "me";
    form.underSelectedFolder = under;
    return form;
}

TEST(EditorCommands, CreatingUnderTheSelectedFolderSelectsTheNewCollection)
{
    SessionFiles files("F[S]", "F");
    files.settings.DefaultUser = "taro";
    files.session->start();
    files.dialogs.headerAnswers = { named("N", true) };
    files.session->run(EditorCommand::NewCollection);
    const HeaderDialogView &view = files.dialogs.headerViews.at(0);
    EXPECT_EQ(view.caption, sj("問題集の新規作成"));
    EXPECT_TRUE(view.placeUnderEnabled);
    EXPECT_EQ(view.form.copyrightHolder, "taro");
    EXPECT_EQ(outlineOf(files.database.root), "F[S,N]");
    EXPECT_EQ(files.session->edit().selected()->path, "F/N");
    EXPECT_EQ(files.session->view().selectedChain, files.chainOf("F/N"));
}

TEST(EditorCommands, RenamingTheOpenCollectionKeepsItsEditsAndMovesItsHistory)
{
    SessionFiles files("F[S]", "F/S");
    files.writeTallies("F/S", { 7 });
    files.session->start();
    files.session->editField(EditField::Answer, "a");
    files.dialogs.headerAnswers = { named("T") };
    files.session->key({ EditorKey::Function, 2, false, false, false, EditorFocus::Tree });
    EXPECT_EQ(files.dialogs.headerViews.at(0).caption, sj("問題集の名称変更"));
    EXPECT_FALSE(files.dialogs.headerViews[0].headerEditable);
    EXPECT_EQ(files.session->view().title, sj("T - KvrEditor "));
    EXPECT_EQ(files.savedLines("F/S"), (Strings { "a", "" })); // committed before the rename
    EXPECT_EQ(files.tallyMarks("F/T"), Strings(2, "7"));
    EXPECT_TRUE(files.prompter.asked.empty());
}

TEST(EditorCommands, MovingTheOpenCollectionKeepsItsWorkingCopyUnderTheNewPath)
{
    SessionFiles files("F[S],G[]", "F/S");
    files.setLines("F/S", { "a" });
    files.session->start();
    files.session->editField(EditField::Answer, "b");
    files.dialogs.choiceAnswers = { ChoiceAnswer { false, "G", EntryKind::Folder } };
    files.session->run(EditorCommand::MoveNode);
    EXPECT_EQ(files.dialogs.choiceRequests.at(0).caption, sj("フォルダを選択してください。"));
    EXPECT_EQ(outlineOf(files.database.root), "F[],G[S]");
    EXPECT_EQ(files.session->edit().selected()->path, "G/S");
    EXPECT_TRUE(files.session->edit().modified());
    EXPECT_EQ(files.session->grid().fields().answer, "b");
    files.session->run(EditorCommand::Save);
    EXPECT_EQ(files.savedLines("G/S"), (Strings { "b", "" }));
}

TEST(EditorCommands, ADestinationInsideTheMovedFolderIsRefused)
{
    SessionFiles files("F[G[]]", "F");
    files.session->start();
    files.dialogs.choiceAnswers = { ChoiceAnswer { false, "F/G", EntryKind::Folder } };
    files.session->run(EditorCommand::CopyNode);
    EXPECT_EQ(outlineOf(files.database.root), "F[G[]]");
    files.dialogs.choiceAnswers.push_back(ChoiceAnswer { true, "", EntryKind::Folder });
    files.session->run(EditorCommand::CopyNode);
    EXPECT_EQ(outlineOf(files.database.root), "F[G[]],F (1)[G[]]");
    EXPECT_EQ(files.session->view().selectedName, "F (1)");
}

TEST(EditorCommands, DeletingTheOpenCollectionDropsItsEditsWithoutAsking)
{
    SessionFiles files("F[S,T]", "F/S");
    files.session->start();
    files.session->editField(EditField::Answer, "x");
    files.prompter.replies = { Reply::Yes };
    files.session->run(EditorCommand::DeleteNode);
    EXPECT_EQ(outlineOf(files.database.root), "F[T]");
    EXPECT_EQ(files.prompter.asked.size(), 1u); // the delete question only
    EXPECT_EQ(files.session->view().selectedName, "F");
    EXPECT_FALSE(files.session->edit().modified());
}

TEST(EditorCommands, DetailsEditTheWorkingHeader)
{
    SessionFiles files("S", "S");
    files.session->start();
    HeaderForm entered = named("ignored");
    entered.startMessage = ".dot";
    HeaderForm fixed = named("ignored");
    fixed.notes = "n1\nn2";
    files.dialogs.headerAnswers = { entered, fixed };
    files.session->run(EditorCommand::Details);
    EXPECT_EQ(files.dialogs.headerViews.at(0).caption, sj("問題集の詳細情報"));
    EXPECT_FALSE(files.dialogs.headerViews[0].nameEditable);
    EXPECT_EQ(files.dialogs.headerViews[1].form.startMessage, ".dot"); // asked again as entered
    EXPECT_EQ(files.prompter.asked.size(), 1u);
    EXPECT_TRUE(files.session->edit().modified());
    files.session->run(EditorCommand::Save);
    CQuestionDatabase saved;
    readDatabase(saved, files.context.databasePath);
    EXPECT_EQ(findSection(saved.root, "S").header.notes, (Strings { "n1", "n2" }));
    EXPECT_EQ(findSection(saved.root, "S").header.field(CInnerHeader::CopyrightHolder), "me");
}

TEST(EditorCommands, InsertFromAnotherCollectionAppendsItsMarkerAndLines)
{
    SessionFiles files("F[X],S", "S");
    files.setLines("S", { "s" });
    files.setLines("F/X", { "?x,,,,,q,,,", "plain", "" });
    files.session->start();
    files.dialogs.choiceAnswers = { ChoiceAnswer { false, "F/X", EntryKind::Section } };
    files.session->run(EditorCommand::InsertFromCollection);
    EXPECT_EQ(files.dialogs.choiceRequests.at(0).caption, sj("問題集を選択してください。"));
    EXPECT_EQ(files.session->grid().lines(),
              (Strings { "s", "", "# imported from - F/X -", "?x,,,,,q,,,", "plain", "", "" }));
    EXPECT_TRUE(files.session->edit().modified());

    files.select("F");
    files.session->run(EditorCommand::InsertFromCollection);
    EXPECT_EQ(files.prompter.texts().back(), sj("フォルダにはできません"));
}

TEST(EditorCommands, TheWavFileStoresOnlyTheChosenName)
{
    SessionFiles files("S", "S");
    files.setLines("S", { "a<b" });
    files.settings.Wavefiledir = "/voice";
    files.session->start();
    files.fileDialogs.answers = { std::string("/elsewhere/dir/v.wav"), std::nullopt };
    files.session->run(EditorCommand::ChooseWav);
    EXPECT_EQ(files.fileDialogs.requests.at(0).proposedName, sj("a＜b"));
    EXPECT_EQ(files.fileDialogs.requests[0].startFolder, "/voice");
    EXPECT_EQ(files.session->grid().rows()[0].wavFile, "v.wav");
    EXPECT_TRUE(files.session->edit().modified());
    files.session->run(EditorCommand::ChooseWav);
    EXPECT_EQ(files.session->grid().rows()[0].wavFile, "v.wav");
    EXPECT_TRUE(files.prompter.texts().empty()); // a cancelled dialog changes nothing
}

TEST(EditorCommands, ImportRefillsTheTreeAndMarksTheCollectionModified)
{
    SessionFiles files("S", "S");
    files.session->start();
    CTempFile exported("x.kve");
    exportNode(files.database, "S", exported.path(), EntryKind::Section);
    files.fileDialogs.answers = { exported.path() };
    const int revision = files.session->view().treeRevision;
    files.session->run(EditorCommand::Import);
    EXPECT_EQ(outlineOf(files.database.root), "S,S (1)");
    EXPECT_GT(files.session->view().treeRevision, revision);
    EXPECT_TRUE(files.session->edit().modified());
}

TEST(EditorCommands, CsvImportCreatesACollectionUnderTheSelectedFolderAndSelectsIt)
{
    SessionFiles files("F[S]", "F/S");
    files.session->start();
    ASSERT_TRUE(files.select("F"));
    CTempFile csv("cards.txt");
    writeFile(csv.path(), "apple\tringo\npear\tnashi\n");
    files.fileDialogs.answers = { csv.path() };
    files.session->run(EditorCommand::ImportCsv);
    EXPECT_EQ(files.dialogs.csvFilesShown, std::vector<std::size_t> { 2 });
    EXPECT_EQ(files.session->view().selectedName, "cards");
    EXPECT_EQ(files.session->grid().rows().size(), 3u); // two questions and the empty row
    EXPECT_TRUE(files.session->edit().modified());
}

TEST(EditorCommands, OptionsReloadTheChosenDatabaseOrKeepTheOneInMemory)
{
    SessionFiles files("S", "S");
    files.session->start();
    CTempFile other("other.kvr");
    writeFile(other.path(), "<s>\r\nOther\r\n\r\n\r\n\r\n.\r\n</s>\r\n");
    EditorOptionsForm form { "hanako", other.path(), false };
    files.dialogs.optionsAnswers = { form };
    files.session->run(EditorCommand::Options);
    EXPECT_EQ(outlineOf(files.database.root), "Other");
    EXPECT_EQ(files.session->edit().databasePath(), other.path());
    EXPECT_EQ(files.store.readString("KvrEditor", "DefaultUser"), "hanako");
    EXPECT_EQ(files.store.readString("DBv3", "filename"), other.path());

    CTempFile broken("broken.kvr");
    writeFile(broken.path(), "<s>\r\n");
    files.dialogs.optionsAnswers.push_back(EditorOptionsForm { "hanako", broken.path(), false });
    files.session->run(EditorCommand::Options);
    EXPECT_EQ(outlineOf(files.database.root), "Other");
    EXPECT_EQ(files.session->edit().databasePath(), other.path());
    EXPECT_TRUE(files.session->finish());
    EXPECT_EQ(readFile(broken.path()), "<s>\r\n"); // never written over
}

TEST(EditorCommands, TheHelpMenuItems)
{
    SessionFiles files("S", "S");
    files.session->start();
    EXPECT_EQ(files.session->run(EditorCommand::Help), CommandEffect::ShowHelp);
    EXPECT_EQ(files.session->run(EditorCommand::HomePage), CommandEffect::OpenHomePage);
    EXPECT_EQ(files.session->run(EditorCommand::About), CommandEffect::ShowAbout);
    files.session->run(EditorCommand::UpgradeHint);
    EXPECT_EQ(files.prompter.asked, std::vector { editorUsageMessage() });
}

} // namespace
} // namespace kvr
