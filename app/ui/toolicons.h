#pragma once

#include <QIcon>

namespace kvr::ui {

// The study program's pictures, drawn as vectors on a 20 x 20 grid so that they stay sharp
// at any size and scale.
enum class ToolIcon {
    Shortcut,
    QuestionList,
    JapaneseToEnglishTyped,
    JapaneseToEnglishChoice,
    EnglishToJapaneseTyped,
    EnglishToJapaneseChoice,
    SpeedReply,
    LastDrill,
    LastMissed,
    Editor,
    Options,
    HomePage,
    Help,
    Exit,
    Folder, // the tree's folders
    Collection, // the tree's question collections
};

QIcon toolIcon(ToolIcon which);

// The program's own icon (windows, about box, loading window).
QIcon programIcon();

} // namespace kvr::ui
