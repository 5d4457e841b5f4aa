#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "editor/collectionedit.h"
#include "editor/editordialogs.h"
#include "editor/gridsort.h"
#include "platform/namedmutex.h"

// The commands on rows of the open collection: insert, delete, cut, copy, paste, sort and
// the removal of a row emptied by editing. Those that move questions keep every learner's
// history in step through the log file and then save the collection, and are refused while
// a drill runs on this collection.
namespace kvr {

class IPrompter;
class ISettingsStore;

// The clipboard, for text (CP932).
class IClipboard
{
public:
    virtual ~IClipboard() = default;
    virtual void setText(const std::string &text) = 0;
    virtual bool hasText() const = 0;
    // Nothing when the text holds a character CP932 cannot hold.
    virtual EnteredText text() const = 0;
};

struct RowCommandContext
{
    CCollectionEdit &edit;
    IPrompter &prompter;
    const ISettingsStore &store; // the study program's LastSection, read afresh
    std::string logPath;
    IClipboard &clipboard;
    std::string markerName = std::string(kInUseMarkerName);
};

// In-use check: when the drill marker can be created no drill runs, and it is held for the
// command; when it exists, the command is refused (with its message) only if the study
// program's LastSection names this collection.
//
// Each command needs a current row and changes nothing without one. True when the rows
// changed.

// An empty row at the current position p; a zero tally at p for every learner.
// "現在この問題集を回答中なので、挿入できません。"
bool insertRowCommand(RowCommandContext &context);
// Removes the current row, asking first ("この行を削除してもよろしいですか？", "削除確認",
// OK/Cancel) unless it is empty; the last (empty) row is never deleted and then nothing at
// all happens. "現在この問題集を回答中なので、削除できません。"
bool deleteRowCommand(RowCommandContext &context);
// The current row's question line on the clipboard; an empty row puts nothing there.
void copyRowCommand(RowCommandContext &context);
// Copies, then removes the row unless it is the last one.
// "現在この問題集を回答中なので、貼り付けできません。"
bool cutRowCommand(RowCommandContext &context);
// The clipboard's rows (see pastedRows: several lines, or a spreadsheet range with tabs)
// inserted in order at the current position, every learner's tallies shifted by their
// number; nothing without text.
// Text CP932 cannot hold is refused with its message.
// "現在この問題集を回答中なので、貼り付けできません。"
bool pasteRowCommand(RowCommandContext &context);

// A row that editing emptied: removed with its history like a deleted row, or, while a
// drill runs on the collection, kept as an empty row so no question changes its position.
void removeEmptiedRow(RowCommandContext &context, std::size_t row);

// A click on a column header: asks "ソート確認"; on Yes sorts the rows (see sortedOrder) in
// the column's next direction and the history with them, and saves. "拡張データ" sorts
// nothing but still marks the collection modified. While a drill runs on the collection
// the sort is refused: "現在この問題集を回答中なので、並べ替えできません。"
bool sortRowsCommand(RowCommandContext &context, GridColumn column, CSortDirections &directions);

} // namespace kvr
