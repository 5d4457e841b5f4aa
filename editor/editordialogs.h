#pragma once

#include <optional>
#include <string>

#include "platform/filedialogs.h"

// The form in which entered text reaches the editor's core.
namespace kvr {

// Text the user typed, pasted or chose, as the window converted it to CP932: nothing when it
// holds a character CP932 cannot hold (the core refuses it with a message, never storing
// "?" in its place).
using EnteredText = std::optional<std::string>;

} // namespace kvr
