#pragma once

#include <optional>

#include "editor/editorkeys.h"

// Where the main window's mouse and focus rules act.
namespace kvr {

// The divider's cursor and drag: within 5 pixels of the divider's x position, between
// y = 20 and 10 pixels above the client area's bottom.
bool onDivider(int x, int y, int divider, int clientHeight);

// The 16 × 16 square in the client area's bottom-right corner works as a size grip.
bool onSizeGrip(int x, int y, int clientWidth, int clientHeight);

// Focusing the answer field switches the input method off, focusing the question field
// switches it on; nothing for the other places.
std::optional<bool> inputMethodOnFocus(EditorFocus focus);

} // namespace kvr
