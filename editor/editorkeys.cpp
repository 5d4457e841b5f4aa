// The editor's keyboard table.
#include "editor/editorkeys.h"

namespace kvr {

namespace {

EditorKeyAction act(KeyActionKind kind)
{
    return EditorKeyAction { kind, std::nullopt, std::nullopt };
}

EditorKeyAction command(EditorCommand command)
{
    return EditorKeyAction { KeyActionKind::Command, command, std::nullopt };
}

EditorKeyAction functionKey(const EditorKeyEvent &event)
{
    const int n = event.functionNumber;
    if (event.shift) {
        if (const auto part = partOfSpeechOfShiftKey(n))
            return EditorKeyAction { KeyActionKind::PartOfSpeech, std::nullopt, part };
        return act(KeyActionKind::PassOn);
    }
    switch (n) {
    case 2:
        return command(EditorCommand::Rename);
    case 3:
        return command(EditorCommand::InsertRow);
    case 4:
        return command(EditorCommand::DeleteRow);
    case 1:
    case 5:
    case 6:
    case 7:
    case 8:
        return act(KeyActionKind::Swallow);
    default:
        return act(KeyActionKind::PassOn);
    }
}

EditorKeyAction controlLetter(const EditorKeyEvent &event)
{
    if (!event.ctrl)
        return act(KeyActionKind::PassOn);
    if (event.key == EditorKey::S)
        return command(EditorCommand::Save);
    if (event.focus != EditorFocus::Grid)
        return act(KeyActionKind::PassOn);
    return command(event.key == EditorKey::C       ? EditorCommand::Copy
                       : event.key == EditorKey::X ? EditorCommand::Cut
                                                   : EditorCommand::Paste);
}

EditorKeyAction arrow(const EditorKeyEvent &event)
{
    const bool down = event.key == EditorKey::Down;
    if (event.shift || event.ctrl)
        return act(down ? KeyActionKind::AnswerNumberDown : KeyActionKind::AnswerNumberUp);
    if (event.focus == EditorFocus::Tree)
        return act(KeyActionKind::PassOn);
    return act(down ? KeyActionKind::NextRow : KeyActionKind::PreviousRow);
}

EditorKeyAction enter(const EditorKeyEvent &event)
{
    const bool field =
        event.focus == EditorFocus::QuestionField || event.focus == EditorFocus::HintField;
    if (event.shift && field)
        return act(KeyActionKind::LineBreak);
    if (event.focus == EditorFocus::Tree)
        return act(KeyActionKind::PassOn);
    return act(event.shift ? KeyActionKind::PreviousRow : KeyActionKind::NextRow);
}

} // namespace

EditorKeyAction editorKeyAction(const EditorKeyEvent &event)
{
    if (event.key == EditorKey::Shift)
        return act(KeyActionKind::RepaintKeyHelp);
    if (event.released)
        return act(KeyActionKind::PassOn);
    switch (event.key) {
    case EditorKey::Function:
        return functionKey(event);
    case EditorKey::Enter:
        return enter(event);
    case EditorKey::Up:
    case EditorKey::Down:
        return arrow(event);
    case EditorKey::Escape:
        return act(KeyActionKind::Swallow);
    case EditorKey::C:
    case EditorKey::X:
    case EditorKey::V:
    case EditorKey::S:
        return controlLetter(event);
    default:
        return act(KeyActionKind::PassOn);
    }
}

} // namespace kvr
