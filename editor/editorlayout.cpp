// The main window's mouse areas and input-method rule.
#include "editor/editorlayout.h"

#include <cstdlib>

namespace kvr {

bool onDivider(int x, int y, int divider, int clientHeight)
{
    return std::abs(x - divider) <= 5 && y >= 20 && y <= clientHeight - 10;
}

bool onSizeGrip(int x, int y, int clientWidth, int clientHeight)
{
    return x >= clientWidth - 16 && x < clientWidth && y >= clientHeight - 16 && y < clientHeight;
}

std::optional<bool> inputMethodOnFocus(EditorFocus focus)
{
    if (focus == EditorFocus::AnswerField)
        return false;
    if (focus == EditorFocus::QuestionField)
        return true;
    return std::nullopt;
}

} // namespace kvr
