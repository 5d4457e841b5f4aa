#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "editor/testsupport_editor.h"
#include "editor/textrules.h"

namespace kvr {
namespace {

using test::SessionFiles;
using Strings = std::vector<std::string>;

TEST(EditorSession, StartsOnLastSectionOrTheFirstItemOfTheSortedTree)
{
    struct Row
    {
        std::string lastSection;
        std::string selected;
        bool folder;
    };
    const Row rows[] = { { "F/S", "S", false }, { "F", "F", true }, { "gone", "B", false } };
    for (const Row &row : rows) {
        SessionFiles files("F[S],B", row.lastSection);
        files.session->start();
        const EditorView &view = files.session->view();
        EXPECT_EQ(view.tree.children[0].name, "B");
        EXPECT_EQ(view.selectedName, row.selected);
        EXPECT_EQ(view.folderSelected, row.folder);
        EXPECT_EQ(view.collectionControls, !row.folder);
        EXPECT_EQ(view.title, row.selected + sj(" - KvrEditor "));
        EXPECT_EQ(view.selectedCaption,
                  sj(row.folder ? "現在選択中のフォルダ" : "現在選択中の問題集"));
        EXPECT_EQ(files.session->grid().rowCount(), row.folder ? 0u : 1u);
    }
}

TEST(EditorSession, LeavingAnEditedCollectionAsksAndCancelKeepsIt)
{
    struct Row
    {
        Reply reply;
        bool moved;
        Strings saved;
    };
    const Row rows[] = { { Reply::Yes, true, { "x", "" } },
                         { Reply::No, true, {} },
                         { Reply::Cancel, false, {} } };
    for (const Row &row : rows) {
        SessionFiles files("A,B", "A");
        files.session->start();
        files.session->editField(EditField::Answer, "x");
        EXPECT_EQ(files.session->view().title, sj("A - （更新）KvrEditor "));
        files.prompter.replies = { row.reply };
        EXPECT_EQ(files.select("B"), row.moved);
        EXPECT_EQ(files.session->view().selectedName, row.moved ? "B" : "A");
        EXPECT_EQ(files.session->view().selectedChain, files.chainOf(row.moved ? "B" : "A"));
        EXPECT_EQ(files.savedLines("A"), row.saved);
        EXPECT_EQ(files.prompter.asked.at(0).caption, sj("保存の確認"));
    }
}

TEST(EditorSession, EditingTheLastRowAddsARowAndAnUpperCaseVeMarksTheVerb)
{
    SessionFiles files("A", "A");
    files.session->start();
    const int revision = files.session->view().gridRevision;
    files.session->editField(EditField::Question, sj("%Ve走る\nはしる"));
    const EditorView &view = files.session->view();
    EXPECT_GT(view.gridRevision, revision);
    EXPECT_EQ(files.session->grid().rowCount(), 2u);
    EXPECT_EQ(view.markedPart, PartOfSpeech::Verb);
    EXPECT_EQ(files.session->grid().rows()[0].questionLines[1], sj("はしる"));

    const EditorKeyAction action =
        files.session->key({ EditorKey::Function, 2, true, false, false, EditorFocus::Grid });
    EXPECT_EQ(action.kind, KeyActionKind::PartOfSpeech);
    EXPECT_FALSE(files.session->view().markedPart);
    EXPECT_EQ(files.session->grid().rows()[0].questionLines[0], sj("走る"));
}

TEST(EditorSession, RefusesUnmappableTextAndShowsTheFieldAgain)
{
    SessionFiles files("A", "A");
    files.setLines("A", { "a" });
    files.session->start();
    const int revision = files.session->view().fieldsRevision;
    files.session->editField(EditField::Answer, std::nullopt);
    EXPECT_EQ(files.prompter.texts(), Strings { unmappableTextMessage() });
    EXPECT_GT(files.session->view().fieldsRevision, revision);
    EXPECT_EQ(files.session->view().fields.answer, "a");
    EXPECT_FALSE(files.session->edit().modified());
}

TEST(EditorSession, EmptyingAQuestionRemovesItsRowAndItsHistory)
{
    SessionFiles files("A", "A");
    files.setLines("A", { "a", "b" });
    files.writeTallies("A", { 1, 2 });
    files.session->start();
    files.session->editField(EditField::Answer, "");
    EXPECT_EQ(files.session->grid().lines(), (Strings { "b", "" }));
    EXPECT_EQ(files.session->view().fields.answer, "b");
    EXPECT_EQ(files.tallyMarks("A"), Strings(2, "2"));
    EXPECT_EQ(files.savedLines("A"), (Strings { "b", "" }));
}

TEST(EditorSession, KeysMoveRowsAndAnswerNumbersAndRunRowCommands)
{
    SessionFiles files("A", "A");
    files.setLines("A", { "?a1,a2,,,,,,,", "b" });
    files.session->start();
    const auto press = [&](EditorKey key, bool shift = false, int n = 0) {
        return files.session->key({ key, n, shift, false, false, EditorFocus::Grid });
    };
    press(EditorKey::Up, true);
    EXPECT_EQ(files.session->view().answerNumber, 2);
    EXPECT_EQ(files.session->view().fields.answer, "a2");
    press(EditorKey::Down);
    EXPECT_EQ(files.session->view().currentRow, 1u);
    EXPECT_EQ(files.session->view().answerNumber, 1);
    press(EditorKey::Down);
    press(EditorKey::Function, false, 4); // F4 on the empty last row: nothing at all
    EXPECT_TRUE(files.prompter.asked.empty());
    EXPECT_EQ(files.session->grid().rowCount(), 3u);
    press(EditorKey::Up);
    press(EditorKey::Function, false, 3);
    EXPECT_EQ(files.savedLines("A"), (Strings { "?a1,a2,,,,,,,", "", "b", "" }));
    EXPECT_EQ(press(EditorKey::Enter, true).kind, KeyActionKind::PreviousRow);
    EXPECT_EQ(files.session->view().currentRow, 0u);
    press(EditorKey::Function, true, 2);
    EXPECT_EQ(files.session->view().markedPart, PartOfSpeech::Verb);
    press(EditorKey::Function, true, 2);
    EXPECT_FALSE(files.session->view().markedPart);
}

TEST(EditorSession, LooksTheAnswerUpInTheWebTab)
{
    SessionFiles files("A", "A");
    files.setLines("A", { "run" });
    WebDictionary site;
    site.dicType = 1;
    site.title = "J";
    site.urlHead = "https://j.example/?q=";
    files.dictionaries = { site };
    files.session = std::make_unique<CEditorSession>(EditorServices {
        files.settings, files.store, files.database, files.dictionaries, files.prompter,
        files.clipboard, files.fileDialogs, files.dialogs, test::uniqueMarkerName() });
    files.session->start();
    EXPECT_FALSE(files.session->lookUp(true, 0));
    EXPECT_TRUE(files.session->lookUp(false, 0));
    EXPECT_EQ(files.session->view().webAddress, "https://j.example/?q=run");
    EXPECT_EQ(files.session->view().tab, 1);
    files.session->selectTab(0);
    EXPECT_EQ(files.session->view().tab, 0);
}

TEST(EditorSession, ClosingAsksStaysOnCancelOrFailureAndTheEndWritesTheDatabase)
{
    SessionFiles files("A", "A");
    files.session->start();
    files.session->editField(EditField::Answer, "x");
    files.prompter.replies = { Reply::Cancel };
    EXPECT_FALSE(files.session->requestClose());
    EXPECT_EQ(files.session->run(EditorCommand::Exit), CommandEffect::Close); // Yes: saved
    EXPECT_EQ(files.savedLines("A"), (Strings { "x", "" }));

    findSection(files.database.root, "A").lines = { "changed in memory" };
    EXPECT_TRUE(files.session->finish());
    EXPECT_EQ(files.savedLines("A"), Strings { "changed in memory" });

    files.session->editField(EditField::Answer, "y");
    files.session->setDivider(900);
    EXPECT_EQ(files.settings.Pediod, 600);
    EXPECT_EQ(files.session->view().divider, 600);
    std::filesystem::remove(files.context.databasePath);
    std::filesystem::create_directory(files.context.databasePath); // no file can go there
    files.prompter.asked.clear();
    EXPECT_FALSE(files.session->requestClose());
    EXPECT_EQ(files.prompter.texts().back(), sj("データベースの更新に失敗しました・・・"));
    EXPECT_FALSE(files.session->finish());
}

TEST(EditorSession, TheWindowStartsAtTheStoredSizeAndDividerAndKeepsTheNewOnes)
{
    SessionFiles files("A");
    files.settings.Pediod = 250;
    files.settings.WindowSizeX = 800;
    files.settings.WindowSizeY = 640;
    const CEditorSession session(
        EditorServices { files.settings, files.store, files.database, files.dictionaries,
                         files.prompter, files.clipboard, files.fileDialogs, files.dialogs });
    EXPECT_EQ(session.view().divider, 250);
    EXPECT_EQ(session.view().windowWidth, 800);
    EXPECT_EQ(session.view().windowHeight, 640);

    files.session->setDivider(10);
    files.session->setWindowSize(700, 550);
    EXPECT_EQ(files.session->view().divider, 15);
    EXPECT_EQ(files.settings.WindowSizeX, 700);
    EXPECT_EQ(files.session->view().windowWidth, 700);
    EXPECT_EQ(files.session->view().windowHeight, 550);
}

} // namespace
} // namespace kvr
