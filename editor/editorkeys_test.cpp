#include <gtest/gtest.h>
#include <set>
#include <string>

#include "db/testsupport.h"
#include "editor/editorkeys.h"

namespace kvr {
namespace {

using K = EditorKey;
using F = EditorFocus;
using A = KeyActionKind;

EditorKeyEvent key(K k, F focus = F::Grid, bool shift = false, bool ctrl = false, int n = 0)
{
    EditorKeyEvent event;
    event.key = k;
    event.focus = focus;
    event.shift = shift;
    event.ctrl = ctrl;
    event.functionNumber = n;
    return event;
}

EditorKeyEvent fkey(int n, bool shift = false, F focus = F::Grid)
{
    return key(K::Function, focus, shift, false, n);
}

TEST(EditorKeys, TheTableOfTheMainWindow)
{
    struct Row
    {
        const char *what;
        EditorKeyEvent event;
        A kind;
        std::optional<EditorCommand> command = std::nullopt;
    };
    const Row rows[] = {
        { "F1", fkey(1), A::Swallow },
        { "F2", fkey(2, false, F::Tree), A::Command, EditorCommand::Rename },
        { "F3", fkey(3), A::Command, EditorCommand::InsertRow },
        { "F4", fkey(4, false, F::AnswerField), A::Command, EditorCommand::DeleteRow },
        { "F5", fkey(5), A::Swallow },
        { "F8", fkey(8), A::Swallow },
        { "F9", fkey(9), A::PassOn },
        { "Shift+F9", fkey(9, true), A::PassOn },
        { "Esc", key(K::Escape), A::Swallow },
        { "Enter", key(K::Enter, F::AnswerField), A::NextRow },
        { "Enter in tree", key(K::Enter, F::Tree), A::PassOn },
        { "Shift+Enter in question", key(K::Enter, F::QuestionField, true), A::LineBreak },
        { "Shift+Enter in hint", key(K::Enter, F::HintField, true), A::LineBreak },
        { "Shift+Enter in answer", key(K::Enter, F::AnswerField, true), A::PreviousRow },
        { "Shift+Enter in tree", key(K::Enter, F::Tree, true), A::PassOn },
        { "Down", key(K::Down, F::QuestionField), A::NextRow },
        { "Up", key(K::Up), A::PreviousRow },
        { "Down in tree", key(K::Down, F::Tree), A::PassOn },
        { "Shift+Down", key(K::Down, F::Grid, true), A::AnswerNumberDown },
        { "Ctrl+Up", key(K::Up, F::Tree, false, true), A::AnswerNumberUp },
        { "Ctrl+C in grid", key(K::C, F::Grid, false, true), A::Command, EditorCommand::Copy },
        { "Ctrl+X in grid", key(K::X, F::Grid, false, true), A::Command, EditorCommand::Cut },
        { "Ctrl+V in grid", key(K::V, F::Grid, false, true), A::Command, EditorCommand::Paste },
        { "Ctrl+V in a field", key(K::V, F::AnswerField, false, true), A::PassOn },
        { "C alone", key(K::C), A::PassOn },
        { "Ctrl+S anywhere", key(K::S, F::Tree, false, true), A::Command, EditorCommand::Save },
        { "Shift", key(K::Shift, F::Tree, true), A::RepaintKeyHelp },
        { "other", key(K::Other), A::PassOn },
    };
    for (const Row &row : rows) {
        const EditorKeyAction action = editorKeyAction(row.event);
        EXPECT_EQ(action.kind, row.kind) << row.what;
        EXPECT_EQ(action.command, row.command) << row.what;
    }
    EditorKeyEvent release = key(K::Shift);
    release.released = true;
    EXPECT_EQ(editorKeyAction(release).kind, A::RepaintKeyHelp);
    release.key = K::Function;
    release.functionNumber = 3;
    EXPECT_EQ(editorKeyAction(release).kind, A::PassOn);
}

TEST(EditorKeys, ShiftFunctionKeysPressThePartOfSpeechButtons)
{
    const char *labels[] = {
        "名詞", "動詞", "形容詞", "副詞", "前置詞", "熟語", "代名詞", "その他"
    };
    for (int n = 1; n <= 8; ++n) {
        const EditorKeyAction action = editorKeyAction(fkey(n, true));
        EXPECT_EQ(action.kind, A::PartOfSpeech);
        EXPECT_EQ(partOfSpeechLabel(*action.part), sj(labels[n - 1])) << n;
    }
}

TEST(EditorMenus, EveryMenuCommandAppearsOnceInTheBarAndThePopupsRepeatThem)
{
    std::multiset<EditorCommand> inBar;
    const auto collect = [&](const std::vector<MenuItem> &items, auto &self) -> void {
        for (const MenuItem &item : items) {
            if (item.command)
                inBar.insert(*item.command);
            self(item.submenu, self);
        }
    };
    const std::vector<Menu> bar = editorMenuBar();
    ASSERT_EQ(bar.size(), 5u);
    EXPECT_EQ(bar[2].title, sj("問題集・フォルダ(&S)"));
    for (const Menu &menu : bar)
        collect(menu.items, collect);
    for (const EditorCommand command : inBar)
        EXPECT_EQ(inBar.count(command), 1u) << static_cast<int>(command);
    for (const MenuItem &item : datalistPopup())
        EXPECT_EQ(inBar.count(*item.command), 1u) << item.text;
    EXPECT_EQ(sectionPopup()[3].text, sj("移動(&C)..."));
    EXPECT_EQ(sectionPopup()[3].command, EditorCommand::MoveNode);
    EXPECT_EQ(systemMenuAboutItem().text, sj("KvrEditor のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
}

} // namespace
} // namespace kvr
