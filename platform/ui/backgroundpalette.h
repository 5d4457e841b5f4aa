#pragma once

#include <QPalette>

#include "platform/rgb.h"

class QWidget;

namespace kvr::ui {

// Gives a window the background colour and text that stays readable on it (textColoursOn):
// labels, check boxes and group titles follow; fields and buttons keep their own colours.
void applyBackgroundColour(QWidget &window, Rgb background);

} // namespace kvr::ui
