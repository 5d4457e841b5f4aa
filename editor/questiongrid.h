#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "editor/questionfields.h"

// The editor's question grid as data: one row per line of the collection, the current row,
// the answer number and the edit fields of the current row.
namespace kvr {

// The twelve columns, in order.
enum class GridColumn {
    Answer1,
    Answer2,
    Answer3,
    Answer4,
    Answer5,
    Question1,
    Question2,
    Hint1,
    Hint2,
    Hint3,
    WavFile,
    ExtData
};
constexpr int kGridColumnCount = 12;

// The text of one cell (question line 1 with its tag, as stored).
const std::string &cellText(const CQuestion &row, GridColumn column);
std::string &cellText(CQuestion &row, GridColumn column);
std::array<std::string, kGridColumnCount> rowTexts(const CQuestion &row);

enum class EditField { Answer, Question, Hint };

// What an edit did to the current row.
struct RowEdit
{
    bool changed = false; // a field's text changed: the collection counts as modified
    bool emptied = false; // the current row, not the last one, has become empty
};

class CQuestionGrid
{
public:
    // One row per line (decoded as the editor shows lines), trailing empty rows dropped and
    // exactly one empty row appended; row 0 becomes current.
    void load(const std::vector<std::string> &lines);
    // No rows and no current row (a folder is selected).
    void clear();
    // One line per row, in order (the last, empty row gives the collection's last line).
    std::vector<std::string> lines() const;

    const std::vector<CQuestion> &rows() const { return m_rows; }
    std::size_t rowCount() const { return m_rows.size(); }
    bool isLastRow(std::size_t row) const { return row + 1 == m_rows.size(); }

    std::optional<std::size_t> currentRow() const { return m_current; }
    // Makes a row current (clamped to the rows): answer number 1, its fields shown. The same
    // row again changes nothing.
    void selectRow(std::size_t row);
    // The next or previous row; false at the end.
    bool selectNext();
    bool selectPrevious();

    int answerNumber() const { return m_answerNumber; }
    // The answer number moved by delta within 1-5, its answer shown; false when it stays.
    bool moveAnswerNumber(int delta);
    bool setAnswerNumber(int number);

    const EditFields &fields() const { return m_fields; }
    // Grows whenever the fields are set from the grid (another row, another answer number,
    // a refused edit), so the window rewrites its fields then and only then.
    int fieldsRevision() const { return m_fieldsRevision; }
    // Shows the current row's fields again.
    void refreshFields();
    std::optional<PartOfSpeech> markedPart() const;

    // A field of the current row changed: all three fields are written back, and a new
    // empty row is appended when the last row is no longer empty.
    RowEdit editField(EditField field, std::string text);
    // A part-of-speech button pressed on the current row.
    RowEdit pressPartOfSpeech(PartOfSpeech part);

    // Row changes by position; the current row is kept at its position (clamped) and shown.
    void insertRow(std::size_t at, CQuestion row = {});
    void removeRow(std::size_t at);
    void setRow(std::size_t at, CQuestion row);
    void appendRow(CQuestion row);
    // Rows reordered: new row i is old row order[i].
    void reorder(const std::vector<std::size_t> &order);
    // Appends an empty row when the last row is not empty (or there is none).
    void ensureEmptyLastRow();

private:
    RowEdit rewriteCurrent(std::string_view tag);
    void showCurrent();

    std::vector<CQuestion> m_rows;
    std::optional<std::size_t> m_current;
    int m_answerNumber = 1;
    EditFields m_fields;
    int m_fieldsRevision = 0;
};

} // namespace kvr
