#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "history/drillmode.h"

namespace kvr {

struct CQuestion;

// How the drill window words and lays out a question. Every text is CP932.

// Two-line form: of n texts, text j goes to line 1 while j < n / 2, the rest to line 2;
// within a line the texts are joined with "/".
std::array<std::string, 2> twoLineForm(const std::vector<std::string> &texts);

// The question band for the mode: the question lines with part-of-speech tags expanded
// (和英入力, SpeedReply), the answers in two-line form (英和入力, 英和４択), or the
// question lines with tags expanded in two-line form (和英４択).
std::array<std::string, 2> questionBand(DrillMode mode, const CQuestion &question);

// The band's text as one spoken line (its lines joined by a blank).
std::string bandText(const std::array<std::string, 2> &band);

// The non-empty answers joined with sep (SpeedReply shows them with ", ").
std::string joinedAnswers(const CQuestion &question, std::string_view sep);

// The non-empty hints joined with CR LF.
std::string joinedHints(const CQuestion &question);

// Number of words of an answer: the runs of characters between ASCII blanks.
int wordCount(std::string_view text);

// The top line before the collection's own start message overrides it.
std::string defaultInstruction(DrillMode mode);

// "Kelvora (Translate Window)  - <path> -".
std::string drillCaption(std::string_view sectionPath);

} // namespace kvr
