#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

class CDailyBackup;
class IPrompter;

// Keeping every learner's per-question history with its questions when the editor moves
// rows: the log file is loaded, changed and saved at once. A log that cannot be loaded (no
// file yet, or a damaged one) is left alone and never written over; a failed save is
// reported with the log's error box.
enum class TallyShift { Insert, Erase };

// count questions inserted at position (zero tallies there, later ones count places up) or
// removed from it (later ones count places down), for every record of the collection; the
// log is loaded and saved once.
void shiftQuestionHistory(const std::string &logPath, std::string_view sectionPath,
                          std::size_t position, TallyShift shift, IPrompter &prompter,
                          std::size_t count = 1, const CDailyBackup *backup = nullptr);

// The questions reordered: the new question i was question order[i]. Tallies and the last
// missed positions follow their questions; tallies beyond the reordered rows stay.
void reorderQuestionHistory(const std::string &logPath, std::string_view sectionPath,
                            const std::vector<std::size_t> &order, IPrompter &prompter,
                            const CDailyBackup *backup = nullptr);

} // namespace kvr
