#pragma once

#include <string>
#include <vector>

#include "platform/prompter.h"

namespace kvr {

// The command line desktop shortcuts write: "/Autorun=<count> [/SpeedReply] [/Worst] /s <path>".
struct CCommandLine
{
    bool autorun = false;
    bool speedReply = false;
    std::string sectionPath; // CP932
    int questionCount = 0;
    bool sSeen = false;
    bool worstFirst = false;

    bool operator==(const CCommandLine &) const = default;
};

// The count an autorun drill takes when none (or 0, or no number) is given.
constexpr int kDefaultAutorunCount = 20;

// args: the arguments after the program name (CP932). Option names ignore ASCII case.
// The first argument starting with "/autorun" decides autorun (exactly "/autorun", or
// followed by a blank or "=<count>"); "/speedreply", "/worst", "/s" and the section path
// (the first non-empty argument not starting with "/" or "-") are looked for only when
// autorun is set. The count is the run of decimal digits after "=" (none: 0; a sign is
// not a digit), saturating at INT_MAX; with autorun, 0 becomes kDefaultAutorunCount.
CCommandLine parseCommandLine(const std::vector<std::string> &args);

// What the program does after loading, decided by its arguments.
enum class StartupAction {
    MainWindow, // no arguments
    AutorunDrill, // autorun with "/s" and a section path
    MessageAutorunWithoutSection, // autorun without a section path
    MessageBadOptions, // anything else
};

StartupAction decideStartup(const std::vector<std::string> &args);

// "Autorun オプションがあるのに、セクションの指定がありません": caption "Error", error
// icon, modal to the program only.
Message autorunWithoutSectionMessage();
// The start-up error box with "起動オプションが正しくありません。".
Message badOptionsMessage();

} // namespace kvr
