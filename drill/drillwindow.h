#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "drill/skin.h"
#include "history/drillmode.h"
#include "platform/prompter.h"

namespace kvr {

class CDailyBackup;
class CDrillSession;
struct CQuestionDatabase;
class ISettingsStore;
struct CKvrSettings;

// Decisions of the drill window that do not depend on a widget toolkit.

// The client area the skin's rectangles are placed in. A skin gives the size of the whole
// window, frame and title bar included; its controls fit a client area 6 pixels narrower and
// 30 pixels lower (the separator line, too, ends 30 pixels above the window's height).
struct ClientSize
{
    int width = 0;
    int height = 0;
};
ClientSize drillClientSize(const CSkin &skin);
// Where the separator line of the pass list ends.
int separatorBottom(const CSkin &skin);

// Where the hint button, the hint field, the title "Hint    >>" and the time-limit bar go.
// In the typed modes the skin's places. The four-choice modes use the same skin, whose hint
// row may lie on the choice rows (the standard skin's does): the hint then takes a fifth row
// kHintRowGap under the choices (closer where they are closer), as high as they are, its
// field under the choice texts; a time-limit bar in that row's way moves kHintRowGap below
// it, keeping kHintRowMinGap above the progress bar (or the window's bottom). When the bar
// would then be lower than kMinLimitBarHeight, everything stays where the skin puts it.
struct HintPlacement
{
    SkinRect button;
    SkinRect field;
    SkinPoint title;
    SkinRect limitBar;
};
constexpr int kHintRowGap = 4;
constexpr int kHintRowMinGap = 2;
constexpr int kMinLimitBarHeight = 6;
HintPlacement hintPlacement(const CSkin &skin, bool choiceMode);

// The window's menu button (the skin menu): in the bottom-left corner, under the pass list
// and left of its separator line, where no skin control lies in the shipped skins; never
// narrower than kMenuButtonMinWidth.
constexpr int kMenuButtonHeight = 22;
constexpr int kMenuButtonMinWidth = 64;
SkinRect menuButtonRect(const CSkin &skin);

// "正解にする(&O)": over "これでよい" and "逃げる", as high as "これでよい", below the hint
// field (lower and shorter when the skin leaves less room).
SkinRect acceptButtonRect(const CSkin &skin);
// "この答えも正解に追加(&A)": on the same row, left of it and as wide.
SkinRect addAnswerButtonRect(const CSkin &skin);

// The window's opacity (0…1) when the Opacity setting asks for transparency: 1-99 percent,
// as the alpha value Opacity × 255 / 100 gives it. 0 switches transparency off and 100 is
// opaque: nothing then.
std::optional<double> drillWindowOpacity(int opacityPercent);

// Whether the answer field keeps the input method. Off where English is typed, so that a
// running Japanese input method does not compose the answer.
bool answerKeepsInputMethod(DrillMode mode);

// The caption on every other flash after a wrong answer (CP932).
std::string flashedCaption(std::string_view caption);

// The skin menu's entry for a skin file: its DesignName, or its file name when the file has
// none, so that no entry is blank.
std::string skinMenuText(const SkinMenuEntry &entry);

// Choosing a skin: SkinPath becomes path, the settings are saved and the skin is loaded
// (defaults when the file cannot be read). False when the settings could not be saved.
bool chooseSkin(CKvrSettings &settings, ISettingsStore &store, CSkin &skin, std::string_view path);

// The about box the window's menu opens (the same box as the main window's).
Message drillAboutMessage();

// Where the question before the current one can be kept.
enum class KeepTarget { TextFile, Database };

struct KeepPlaces
{
    std::string desktopFolder; // "KVR-lasts.txt" goes there
    CQuestionDatabase *database = nullptr;
    std::string databasePath;
    std::string userName; // the account running the program, inputter of a new collection
    const CDailyBackup *backup = nullptr; // taken before the database file is written
};

// Keeps the session's last question in the target and hands the report to the session (a
// notice, or a message box for a file that cannot be opened). Nothing without a last
// question.
void keepLastQuestion(CDrillSession &session, KeepTarget target, const KeepPlaces &places);

} // namespace kvr
