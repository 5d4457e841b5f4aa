#pragma once

#include <QPalette>

#include "platform/rgb.h"

class QWidget;

namespace kvr::ui {

// Gives a window the background colour and text that stays readable on it (textColoursOn):
// labels, check boxes and group titles follow; fields, buttons, tab widgets and spin
// boxes (present at the call) keep their own colours.
void applyBackgroundColour(QWidget &window, Rgb background);

// For a part of such a window that paints its own light surface (a tab widget, a bar):
// it keeps the system's window and text colours instead of inheriting the background's.
void keepSystemColours(QWidget &part);

} // namespace kvr::ui
