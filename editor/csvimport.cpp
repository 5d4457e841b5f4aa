// Collections from separated-value text files, and rows from a pasted spreadsheet range.
#include "editor/csvimport.h"

#include <algorithm>

#include "db/treeops.h"
#include "editor/editorsupport.h"
#include "editor/exportcommands.h"
#include "editor/headerdialog.h"
#include "editor/questionfields.h"
#include "editor/questiongrid.h"
#include "editor/textrules.h"
#include "editor/wavchoice.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr std::size_t kListedLines = 20;

// Leading "#key:value" lines, as some flashcard programs write above their rows.
std::size_t directiveLength(std::string_view text, std::size_t &lines)
{
    std::size_t pos = 0;
    lines = 0;
    while (pos < text.size() && text[pos] == '#') {
        const std::size_t end = text.find_first_of("\r\n", pos);
        const std::string_view line = text.substr(pos, end - pos);
        if (line.find(':') == std::string_view::npos)
            break;
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && pos < text.size()
            && text[pos] == '\n')
            ++pos;
        ++lines;
    }
    return pos;
}

// The text cut at its line ends into at most count parts; further ends become blanks.
std::vector<std::string> splitLines(std::string text, std::size_t count)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '\n' && parts.size() < count)
            parts.emplace_back();
        else
            parts.back() += c == '\n' ? ' ' : c;
    }
    parts.resize(count);
    return parts;
}

const std::string &cell(const CsvRecord &record, int column)
{
    static const std::string none;
    return column >= 0 && static_cast<std::size_t>(column) < record.fields.size()
        ? record.fields[static_cast<std::size_t>(column)]
        : none;
}

void appendUnique(std::vector<char32_t> &list, const std::vector<char32_t> &more)
{
    for (char32_t c : more) {
        if (std::find(list.begin(), list.end(), c) == list.end())
            list.push_back(c);
    }
}

} // namespace

CsvFile parseCsvFile(std::string_view bytes)
{
    CsvFile file;
    const DecodedText decoded = decodeText(bytes);
    file.encoding = decoded.encoding;
    std::size_t skippedLines = 0;
    const std::string_view text =
        std::string_view(decoded.utf8).substr(directiveLength(decoded.utf8, skippedLines));
    file.separator = detectSeparator(text);
    file.records =
        parseCsv(text, file.separator, std::numeric_limits<std::size_t>::max(), skippedLines + 1);
    for (const CsvRecord &record : file.records)
        file.columnCount = std::max(file.columnCount, record.fields.size());
    file.columns.question = file.columnCount > 1 ? 1 : -1;
    return file;
}

CsvConversion convertCsv(const CsvFile &file, const CsvColumns &columns)
{
    CsvConversion result;
    const std::size_t first = columns.headerRow ? 1 : 0;
    for (std::size_t i = first; i < file.records.size(); ++i) {
        const CsvRecord &record = file.records[i];
        std::vector<char32_t> unmappable;
        const auto encoded = [&](int column) {
            cp932::Encoded text = cp932::fromUtf8(cell(record, column));
            appendUnique(unmappable, text.unmappable);
            return std::move(text.bytes);
        };
        CQuestion question;
        question.answers[0] = splitLines(encoded(columns.answer), 1)[0];
        const std::vector<std::string> lines = splitLines(encoded(columns.question), 2);
        std::copy(lines.begin(), lines.end(), question.questionLines.begin());
        const std::vector<std::string> hints = splitLines(encoded(columns.hint), 3);
        std::copy(hints.begin(), hints.end(), question.hints.begin());
        if (!unmappable.empty()) {
            result.unmappable.push_back({ record.line, std::move(unmappable) });
            continue;
        }
        if (!isEmptyQuestion(question))
            result.lines.push_back(formatQuestionLine(question));
    }
    return result;
}

std::string unmappableListing(const std::vector<UnmappableLine> &lines)
{
    std::string listing;
    for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
        listing += formatText(cp932::text("%u行目:"), static_cast<unsigned>(lines[i].line));
        for (char32_t c : lines[i].characters)
            listing += formatText(" U+%04X", static_cast<unsigned>(c));
        listing += "\n";
    }
    if (lines.size() > kListedLines)
        listing += formatText(cp932::text("ほか %u 行"),
                              static_cast<unsigned>(lines.size() - kListedLines));
    return listing;
}

FileRequest csvDialogRequest()
{
    FileRequest request = importDialogRequest();
    request.title = cp932::text("ファイル名の入力：CSV/テキストからの問題集作成");
    request.filters = { { cp932::text("テキスト (*.csv;*.tsv;*.txt)"), "*.csv;*.tsv;*.txt" } };
    request.mustExist = true;
    return request;
}

TreeEditResult csvImportCommand(CQuestionDatabase &database, IPrompter &prompter,
                                IFileDialogs &fileDialogs, ICsvColumnsDialog &columnsDialog,
                                const std::optional<std::string> &selectedFolder,
                                const std::string &defaultUser)
{
    const std::optional<std::string> path = fileDialogs.askPath(csvDialogRequest());
    if (!path)
        return {};
    const std::optional<std::string> bytes = readWholeFile(*path);
    if (!bytes) {
        prompter.tell(
            formatText(cp932::text("ファイル %s が読み込めませんでした。"), path->c_str()));
        return {};
    }
    const CsvFile file = parseCsvFile(*bytes);
    const std::optional<CsvColumns> columns = columnsDialog.askCsvColumns(file);
    if (!columns)
        return {};
    CsvConversion converted = convertCsv(file, *columns);
    std::string skipped;
    if (!converted.unmappable.empty())
        skipped = cp932::text("\n\n次の行はCP932で表せない文字を含むため、取り込みませんでした。\n")
            + unmappableListing(converted.unmappable);
    if (converted.lines.empty()) {
        prompter.tell(cp932::text("取り込める問題がありませんでした。") + skipped);
        return {};
    }
    std::string name = fileNameOf(*path);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    name = nodeNameFrom(name);
    if (const std::optional<std::string> refusal = storedTextRefusal(name, StoredTextKind::Name)) {
        prompter.tell(*refusal);
        return {};
    }
    const std::string folderPath = selectedFolder.value_or(std::string());
    CFolder &parent = folderPath.empty() ? database.root : findFolder(database.root, folderPath);
    const std::optional<std::string> unique =
        makeUniqueName(database.root, childPath(folderPath, name), EntryKind::Section);
    if (!unique) {
        prompter.tell(formatText(cp932::text("その名前の%sはすでにデータベースに存在しています。"),
                                 editor::kindWord(EntryKind::Section).c_str()));
        return {};
    }
    HeaderForm form;
    form.copyrightHolder = form.inputter = defaultUser;
    CSection &section = parent.addSection();
    section.name = std::string(lastNameOf(*unique));
    section.header = headerOf(form);
    converted.lines.emplace_back(); // the grid's empty last row, as the editor saves it
    section.lines = converted.lines;
    prompter.tell(formatText(cp932::text("新しい問題集 %s を作成しました。"), unique->c_str())
                  + skipped);
    return { true, NodeRef { *unique, EntryKind::Section } };
}

std::vector<CQuestion> pastedRows(std::string_view text)
{
    std::vector<CQuestion> rows;
    const auto keep = [&rows](CQuestion row) {
        if (!isEmptyQuestion(row))
            rows.push_back(std::move(row));
    };
    if (text.find('\t') == std::string_view::npos) {
        // Question lines as the editor copies them; quotes mean nothing here.
        for (std::size_t pos = 0; pos < text.size();) {
            const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
            keep(decodeEditorLine(text.substr(pos, end - pos)));
            pos = end + 1;
        }
        return rows;
    }
    for (const CsvRecord &record : parseCsv(text, '\t')) {
        CQuestion row;
        for (int column = 0; column < kGridColumnCount; ++column)
            cellText(row, static_cast<GridColumn>(column)) = splitLines(cell(record, column), 1)[0];
        keep(std::move(row));
    }
    return rows;
}

} // namespace kvr
