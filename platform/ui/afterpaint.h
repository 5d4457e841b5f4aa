#pragma once

#include <functional>

class QWidget;

namespace kvr::ui {

// Runs work once, as soon as the window's first paint is done: what the window need not
// wait for starts after the user already sees it. Never runs when the window goes away
// unpainted. work runs inside the event loop, so it must not throw.
void runAfterFirstPaint(QWidget &window, std::function<void()> work);

} // namespace kvr::ui
