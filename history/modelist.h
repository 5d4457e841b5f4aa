#pragma once

#include <string>
#include <vector>

#include "history/drillmode.h"

namespace kvr {

// The mode list of the statistics page and of the main window's mode strip: the five modes
// in the order "和英入力", "SpeedReply", "和英４択", "英和入力", "英和４択".
constexpr int kModeListSize = kDrillModeCount;

// The entries' texts (CP932), in list order.
std::vector<std::string> modeListLabels();

// The mode choice number of a list position (0, 1, 2, 3, 4 give 0, 1, 4, 3, 2); a position
// outside the list gives 和英入力.
DrillMode modeAtListPosition(int position);

// The list position that shows a mode.
int listPositionOf(DrillMode mode);
int listPositionOf(LogModeIndex mode);

} // namespace kvr
