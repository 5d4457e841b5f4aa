// Row commands over the grid, the in-use marker and the log.
#include "editor/rowcommands.h"

#include "editor/csvimport.h"
#include "editor/editorsettings.h"
#include "editor/historyshift.h"
#include "editor/textrules.h"
#include "platform/cp932.h"
#include "platform/namedmutex.h"
#include "platform/prompter.h"

namespace kvr {

namespace {

constexpr const char *kInsertRefused = "現在この問題集を回答中なので、挿入できません。";
constexpr const char *kDeleteRefused = "現在この問題集を回答中なので、削除できません。";
constexpr const char *kPasteRefused = "現在この問題集を回答中なので、貼り付けできません。";
constexpr const char *kSortRefused = "現在この問題集を回答中なので、並べ替えできません。";

const std::string &openPath(const RowCommandContext &context)
{
    return context.edit.selected()->path;
}

// The current row of an open collection.
std::optional<std::size_t> currentRow(const RowCommandContext &context)
{
    if (!context.edit.collectionOpen())
        return std::nullopt;
    return context.edit.grid().currentRow();
}

// True when no drill runs on the collection; marker then holds the drill marker if it
// could be created. refusal (UTF-8) is told when a drill runs on it; none: refuse quietly.
bool mayChangeRows(RowCommandContext &context, CNamedMutex &marker, const char *refusal)
{
    if (marker.acquire(context.markerName))
        return true;
    if (readLastSection(context.store) != openPath(context))
        return true;
    if (refusal)
        context.prompter.tell(cp932::text(refusal));
    return false;
}

void shiftHistory(RowCommandContext &context, std::size_t row, TallyShift shift)
{
    shiftQuestionHistory(context.logPath, openPath(context), row, shift, context.prompter, 1,
                         context.edit.dailyBackup);
}

// Rows changed: the collection is saved at once, so the file and the log stay in step.
void saveAfterRowChange(RowCommandContext &context)
{
    context.edit.setModified();
    if (context.edit.saveCollection(false) == SaveResult::Failed)
        context.prompter.tell(cp932::text("データベースの更新に失敗しました・・・"));
}

bool confirmDelete(RowCommandContext &context)
{
    Message message;
    message.text = cp932::text("この行を削除してもよろしいですか？");
    message.caption = cp932::text("削除確認");
    message.buttons = Buttons::OkCancel;
    return context.prompter.ask(message) == Reply::Ok;
}

} // namespace

bool insertRowCommand(RowCommandContext &context)
{
    const std::optional<std::size_t> row = currentRow(context);
    CNamedMutex marker;
    if (!row || !mayChangeRows(context, marker, kInsertRefused))
        return false;
    context.edit.grid().insertRow(*row);
    shiftHistory(context, *row, TallyShift::Insert);
    saveAfterRowChange(context);
    return true;
}

bool deleteRowCommand(RowCommandContext &context)
{
    const std::optional<std::size_t> row = currentRow(context);
    CQuestionGrid &grid = context.edit.grid();
    CNamedMutex marker;
    if (!row || grid.isLastRow(*row) || !mayChangeRows(context, marker, kDeleteRefused))
        return false;
    if (!isEmptyQuestion(grid.rows()[*row]) && !confirmDelete(context))
        return false;
    grid.removeRow(*row);
    shiftHistory(context, *row, TallyShift::Erase);
    saveAfterRowChange(context);
    return true;
}

void copyRowCommand(RowCommandContext &context)
{
    const std::optional<std::size_t> row = currentRow(context);
    if (!row)
        return;
    const std::string line = formatQuestionLine(context.edit.grid().rows()[*row]);
    if (!line.empty())
        context.clipboard.setText(line);
}

bool cutRowCommand(RowCommandContext &context)
{
    const std::optional<std::size_t> row = currentRow(context);
    CNamedMutex marker;
    if (!row || !mayChangeRows(context, marker, kPasteRefused))
        return false;
    copyRowCommand(context);
    CQuestionGrid &grid = context.edit.grid();
    if (grid.isLastRow(*row)) {
        if (context.edit.saveCollection(false) == SaveResult::Failed)
            context.prompter.tell(cp932::text("データベースの更新に失敗しました・・・"));
        return false;
    }
    grid.removeRow(*row);
    shiftHistory(context, *row, TallyShift::Erase);
    saveAfterRowChange(context);
    return true;
}

bool pasteRowCommand(RowCommandContext &context)
{
    const std::optional<std::size_t> row = currentRow(context);
    if (!row || !context.clipboard.hasText())
        return false;
    CNamedMutex marker;
    if (!mayChangeRows(context, marker, kPasteRefused))
        return false;
    const EnteredText text = context.clipboard.text();
    if (!text) {
        context.prompter.tell(unmappableTextMessage());
        return false;
    }
    const std::vector<CQuestion> pasted = pastedRows(*text);
    if (pasted.empty())
        return false;
    for (std::size_t i = pasted.size(); i-- > 0;)
        context.edit.grid().insertRow(*row, pasted[i]);
    shiftQuestionHistory(context.logPath, openPath(context), *row, TallyShift::Insert,
                         context.prompter, pasted.size(), context.edit.dailyBackup);
    saveAfterRowChange(context);
    return true;
}

void removeEmptiedRow(RowCommandContext &context, std::size_t row)
{
    CQuestionGrid &grid = context.edit.grid();
    CNamedMutex marker;
    if (!context.edit.collectionOpen() || row >= grid.rowCount() || grid.isLastRow(row)
        || !isEmptyQuestion(grid.rows()[row]) || !mayChangeRows(context, marker, nullptr))
        return;
    grid.removeRow(row);
    shiftHistory(context, row, TallyShift::Erase);
    saveAfterRowChange(context);
}

bool sortRowsCommand(RowCommandContext &context, GridColumn column, CSortDirections &directions)
{
    if (!context.edit.collectionOpen())
        return false;
    Message message;
    message.text = cp932::text("一度ソートするとソート前の順番に戻すことはできません。\n"
                               "ソートしますか？");
    message.caption = cp932::text("ソート確認");
    message.buttons = Buttons::YesNo;
    if (context.prompter.ask(message) != Reply::Yes)
        return false;
    if (!columnSorts(column)) {
        context.edit.setModified();
        return false;
    }
    CNamedMutex marker;
    if (!mayChangeRows(context, marker, kSortRefused))
        return false;
    CQuestionGrid &grid = context.edit.grid();
    const std::vector<std::size_t> order =
        sortedOrder(grid.rows(), column, directions.take(column));
    grid.reorder(order);
    reorderQuestionHistory(context.logPath, openPath(context), order, context.prompter,
                           context.edit.dailyBackup);
    saveAfterRowChange(context);
    return true;
}

} // namespace kvr
