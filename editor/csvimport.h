#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/question.h"
#include "editor/csvtext.h"
#include "editor/editordialogs.h"
#include "editor/editoroperations.h"

// A new collection made from a CSV or tab-separated text file ("CSV/テキストから問題集を
// 作成(&V)..."), and the rows a spreadsheet range pastes into the grid.
namespace kvr {

class IPrompter;

// Which column (0-based; -1: none) becomes the answer, the question and the hint.
struct CsvColumns
{
    int answer = 0;
    int question = 1;
    int hint = -1;
    bool headerRow = false; // the first record names the columns and is not imported

    bool operator==(const CsvColumns &) const = default;
};

// A file read for import: every record as UTF-8, the guesses, and the columns proposed.
struct CsvFile
{
    TextEncoding encoding = TextEncoding::Utf8;
    char separator = '\t';
    std::vector<CsvRecord> records;
    std::size_t columnCount = 0; // the most fields of any record
    CsvColumns columns; // answer in the first column, question in the second when there is one
};

// The file's text read and split; leading "#key:value" lines (settings some flashcard
// programs write above their rows) are skipped.
CsvFile parseCsvFile(std::string_view bytes);

// A record's characters that CP932 cannot hold (in order, each once).
struct UnmappableLine
{
    std::size_t line = 0;
    std::vector<char32_t> characters;

    bool operator==(const UnmappableLine &) const = default;
};

struct CsvConversion
{
    std::vector<std::string> lines; // the collection's question lines (CP932)
    std::vector<UnmappableLine> unmappable; // records left out
};

// The records as questions: the answer cell becomes answer 1, the question cell question
// lines 1 and 2 (split at its first line end), the hint cell hints 1-3 (split at line ends);
// other line ends become blanks. A record with nothing in the chosen columns is skipped; one
// holding characters CP932 cannot hold is left out and listed, never stored with "?".
CsvConversion convertCsv(const CsvFile &file, const CsvColumns &columns);

// The lines listing the left-out records ("3行目: U+00E9 U+00FC"), the first twenty of them.
std::string unmappableListing(const std::vector<UnmappableLine> &lines);

// The preview of a CSV or text import.
class ICsvColumnsDialog
{
public:
    virtual ~ICsvColumnsDialog() = default;
    // The file as read and the columns proposed; the columns confirmed, or nothing on cancel.
    virtual std::optional<CsvColumns> askCsvColumns(const CsvFile &file) = 0;
};

// The open dialog of the command ("テキスト (*.csv;*.tsv;*.txt)"), starting where the export
// files start.
FileRequest csvDialogRequest();

// Asks for a file and its columns, then adds a collection named after the file (unique among
// its neighbours) under selectedFolder, or at the root when there is none; the header's
// copyright holder and inputter are defaultUser. Every refusal and the outcome are told.
TreeEditResult csvImportCommand(CQuestionDatabase &database, IPrompter &prompter,
                                IFileDialogs &fileDialogs, ICsvColumnsDialog &columnsDialog,
                                const std::optional<std::string> &selectedFolder,
                                const std::string &defaultUser);

// The rows a clipboard text pastes (CP932): with a tab anywhere, one row per record whose
// cells fill the grid's columns in order (answers 1-5, questions 1-2, hints 1-3, WAV file,
// extended data); without, one row per line, read as a question line. Empty rows are left
// out.
std::vector<CQuestion> pastedRows(std::string_view text);

} // namespace kvr
