#pragma once

// The tally line of the log ("ql=" and what follows), shared by the reader and the tallies
// that a load keeps undecoded.

#include <string_view>
#include <vector>

#include "history/answerlog.h"

namespace kvr {

// Reads the tallies of a line (after "ql=") over tallies: earlier entries are overwritten,
// further ones appended, at most kMaxQuestionTallies in all; an entry cut off by the end of
// the line is dropped. No line is a fault.
void decodeTallyLine(std::string_view text, std::vector<QuestionTally> &tallies);

// True when the writer gives back exactly this line (after "ql=") for the tallies it
// decodes to: entries of eight values, "v+v+v+v+v+v+v+v&", each value a 32-bit int as
// written in full without leading zeros, and no more entries than a record keeps.
bool writtenBackUnchanged(std::string_view text);

} // namespace kvr
