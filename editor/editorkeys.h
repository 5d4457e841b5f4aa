#pragma once

#include <optional>

#include "editor/editormenus.h"
#include "editor/questionfields.h"

// The main window's keyboard, as a table from a key event to what it does. The window asks
// before any control sees the key.
namespace kvr {

enum class EditorKey { Function, Enter, Up, Down, Escape, C, X, V, S, Shift, Other };

// Where the keyboard focus is.
enum class EditorFocus { Tree, Grid, AnswerField, QuestionField, HintField, Other };

struct EditorKeyEvent
{
    EditorKey key = EditorKey::Other;
    int functionNumber = 0; // 1-12 for EditorKey::Function
    bool shift = false;
    bool ctrl = false;
    bool released = false; // a key going up (only Shift's matters)
    EditorFocus focus = EditorFocus::Other;
};

enum class KeyActionKind {
    PassOn, // the key goes on to the control
    Swallow, // nothing happens, and the key goes no further
    Command, // run command
    PartOfSpeech, // press the button part
    NextRow,
    PreviousRow,
    LineBreak, // a line break in the focused field
    AnswerNumberDown,
    AnswerNumberUp,
    RepaintKeyHelp, // the key help at the bottom changes with Shift; the key goes on
};

struct EditorKeyAction
{
    KeyActionKind kind = KeyActionKind::PassOn;
    std::optional<EditorCommand> command;
    std::optional<PartOfSpeech> part;

    bool operator==(const EditorKeyAction &) const = default;
};

// F1 and F5-F8 and Esc are swallowed; F2 rename, F3 insert a row, F4 delete a row;
// Shift+F1-F8 the part-of-speech buttons 名詞, 動詞, 形容詞, 副詞, 前置詞, 熟語, 代名詞,
// その他; Enter the next row, Shift+Enter a line break in the question or hint field and
// the previous row elsewhere, Down/Up the next/previous row (none of these three with the
// tree focused); Shift or Ctrl with Down/Up the answer number one lower/higher; Ctrl+C, X, V
// copy, cut and paste a row when the grid has the focus; Ctrl+S save.
EditorKeyAction editorKeyAction(const EditorKeyEvent &event);

} // namespace kvr
