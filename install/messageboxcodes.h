#pragma once

#include <string>

#include "platform/prompter.h"

// The message-box style flags and result codes of the installer module's C interface (the
// values the Windows message box uses), and their translation to and from a Message.
namespace kvr::install {

namespace box {
constexpr unsigned kOk = 0x0, kOkCancel = 0x1, kYesNoCancel = 0x3, kYesNo = 0x4;
constexpr unsigned kButtonsMask = 0xF;
constexpr unsigned kIconError = 0x10, kIconQuestion = 0x20, kIconWarning = 0x30,
                   kIconInformation = 0x40, kIconMask = 0xF0;
constexpr unsigned kDefaultButton2 = 0x100, kDefaultButton3 = 0x200, kDefaultMask = 0xF00;
constexpr unsigned kSystemModal = 0x1000;
constexpr int kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7;
} // namespace box

unsigned messageBoxType(const Message &message);
Message messageFromBox(std::string text, std::string caption, unsigned type);

int boxResult(Reply reply);
// An unknown code counts as closing the box: Cancel, or the way out of a box without one.
Reply replyFromBoxResult(int result, Buttons buttons);

// The reply a box gives when nobody can answer it: its default button.
Reply defaultReply(const Message &message);

} // namespace kvr::install
