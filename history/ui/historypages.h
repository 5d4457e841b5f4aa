#pragma once

#include <functional>
#include <string>
#include <vector>

#include "history/answerlog.h"
#include "history/statistics.h"

namespace kvr {
class CPronunciation;
class IPrompter;
class ISettingsStore;
class IShell;
struct CKvrSettings;
struct CQuestionDatabase;
struct CSection;
struct WebDictionary;
struct WindowDrillRequest;
} // namespace kvr

// What the three history pages of the main window share: the data they read and change,
// the tree selection they show, and the two ways back into the main window.
namespace kvr::ui {

struct HistoryPageContext
{
    CKvrSettings &settings; // UserName, LogMode, CorrectrateMode, LogPath
    ISettingsStore &store; // the rate-basis radios save the window state at once
    const CQuestionDatabase &database;
    CAnswerLog &log;
    const std::vector<WebDictionary> &webDictionaries;
    CPronunciation &voice;
    IShell &shell; // web look-ups open in the browser
    IPrompter &prompter;
    // The main window's drill start; the pages never start a drill themselves.
    std::function<void(const WindowDrillRequest &)> startDrill;
    // The main window's refresh, after a page changed the log.
    std::function<void()> refreshMain;
};

// The tree's selection as the pages see it.
struct PageSelection
{
    std::string path; // the tree path (CP932); empty without a selection
    TreeSelection selection = TreeSelection::None;
    int questionCount = 0; // the collection's; 0 for a folder
};

// The selected collection, or nullptr (a folder, no selection, a failed look-up).
const CSection *selectedSection(const HistoryPageContext &context, const PageSelection &selection);

// The learner's record for (path, LogMode), or nullptr: the pages then show zeros.
CSectionLog *selectedRecord(const HistoryPageContext &context, const PageSelection &selection);

// Writes the log at once; a failure has been shown to the learner.
bool saveLogNow(const HistoryPageContext &context);

} // namespace kvr::ui
