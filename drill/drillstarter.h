#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/databasetree.h"
#include "drill/drillsetup.h"
#include "platform/namedmutex.h"

namespace kvr {

class CNamedMutex;
class IClock;
class IPrompter;
struct CCommandLine;
struct CKvrSettings;

// CTransModeDlg ("回答方法の選択"): a mode choice number 0-4 (DrillMode), or nothing when
// cancelled.
class IModeChooser
{
public:
    virtual ~IModeChooser() = default;
    virtual std::optional<int> chooseMode() = 0;
};

// The drill window: runs a ready drill and returns when the window has closed (after the
// result report and the history update).
class IDrillRunner
{
public:
    virtual ~IDrillRunner() = default;
    virtual void runDrill(const DrillSetup &setup) = 0;
};

// A drill ready to run. It holds the in-use marker, which is released and closed when the
// object dies: the window keeps it alive while the drill window runs.
class CDrillLaunch
{
public:
    CDrillLaunch(std::unique_ptr<CNamedMutex> marker, DrillSetup setup);
    CDrillLaunch(CDrillLaunch &&) noexcept;
    CDrillLaunch &operator=(CDrillLaunch &&) noexcept;
    ~CDrillLaunch();

    DrillSetup &setup() { return m_setup; }
    const DrillSetup &setup() const { return m_setup; }
    DrillMode mode() const { return m_setup.drillMode; }

private:
    std::unique_ptr<CNamedMutex> m_marker;
    DrillSetup m_setup;
};

// What every drill start reaches. Messages go through prompter (boxes owned by the main
// window; empty caption = the program's name).
struct DrillStartContext
{
    const CFolder &root;
    CAnswerLog &log;
    CKvrSettings &settings; // LogMode is set by the window's starts
    IPrompter &prompter;
    const IClock &clock;
    std::string markerName = std::string(kInUseMarkerName);
};

// The window's dialogs of a drill start.
struct DrillStartDialogs
{
    IModeChooser &mode;
    IDrillStartPrompter &setup; // COrderDlg, CCountDlg
};

// A start from the main window: a collection, an optional selection and count.
struct WindowDrillRequest
{
    std::string sectionPath;
    std::vector<int> selection; // empty: the whole collection
    int count = -1; // >= 0: no count dialog
    int pendingMode = -1; // a mode choice number from a mode command, or -1: ask
};

// The main window's drill start: takes the marker (taken: "既に回答中なので、回答できません。"),
// then the mode (pending, or asked; a number outside 0-4 counts as 0), stored in LogMode at
// once whatever follows, then order, count, the collection's copy and the series. Nothing
// when refused, cancelled or when the collection is missing (system-modal
// "問題集を取得できませんでした。(%s)"). The window resets its pending mode afterwards.
std::optional<CDrillLaunch> startWindowDrill(DrillStartContext &context, DrillStartDialogs dialogs,
                                             const WindowDrillRequest &request);

// Mode commands and double-click: a drill of the selected collection; nothing at all (no
// marker, no dialog) for a folder or no selection.
std::optional<CDrillLaunch> startFromTree(DrillStartContext &context, DrillStartDialogs dialogs,
                                          const TreeNode &tree, const TreeIndexPath &selected,
                                          int pendingMode);

// "前回学習した問題(&L)" / "前回に間違えた問題(&M)" for the selected path, under UserName and
// LogMode: the selection from the learner's record (or its message, and nothing), then a
// start with that selection, count -1 and mode (the statistics page's mode list). Nothing
// for an empty path.
std::optional<CDrillLaunch> repeatLastDrill(DrillStartContext &context, DrillStartDialogs dialogs,
                                            const std::string &sectionPath, DrillMode mode);
std::optional<CDrillLaunch> repeatMissedQuestions(DrillStartContext &context,
                                                  DrillStartDialogs dialogs,
                                                  const std::string &sectionPath, DrillMode mode);

// The command-line drill: no dialogs, random order, the command line's count, SpeedReply
// or 和英入力. Marker taken: a plain box "既に回答中なので、回答できません。" captioned "error".
// Missing collection: system-modal "問題集を取得できませんでした。(%s)". Without worst-first
// the whole collection, continuing the series of the record the drill will update (its own
// mode's). With worst-first the weakest questions (basis both) of the learner's record
// under LogMode; when that record is missing or offers nothing the run ends after a message
// that says so (no history for this learner and collection).
// LogMode is not changed.
std::optional<CDrillLaunch> prepareAutorunDrill(DrillStartContext &context,
                                                const CCommandLine &commandLine);

} // namespace kvr
