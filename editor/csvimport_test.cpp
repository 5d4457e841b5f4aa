#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "db/treeops.h"
#include "editor/csvimport.h"
#include "editor/testsupport_editor.h"
#include "platform/testsupport_filedialogs.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using Strings = std::vector<std::string>;

Strings linesOf(const CsvConversion &converted)
{
    return converted.lines;
}

TEST(CsvImport, AFlashcardExportImportsWithTheDefaults)
{
    const CsvFile file = parseCsvFile("#separator:tab\n#html:false\n"
                                      "apple\t\xE3\x82\x8A\xE3\x82\x93\xE3\x81\x94\n" // りんご
                                      "pear\tnashi\n");
    EXPECT_EQ(file.separator, '\t');
    EXPECT_EQ(file.columnCount, 2u);
    EXPECT_EQ(file.columns, (CsvColumns { 0, 1, -1, false }));
    ASSERT_EQ(file.records.size(), 2u);
    EXPECT_EQ(file.records[0].line, 3u);
    EXPECT_EQ(linesOf(convertCsv(file, file.columns)),
              (Strings { "?apple,,,,," + sj("りんご") + ",,,", "?pear,,,,,nashi,,," }));
}

TEST(CsvImport, ConvertsTheChosenColumns)
{
    const CsvFile file = parseCsvFile("word,meaning,note\r\n"
                                      "run,\"hashiru\r\nkakeru\",\"h1\nh2\nh3\nh4\"\r\n"
                                      "\"a, b\",c,\r\n"
                                      ",,\r\n");
    struct Row
    {
        const char *name;
        CsvColumns columns;
        Strings lines;
    } rows[] = {
        { "header kept",
          { 0, 1, -1, false },
          { "?word,,,,,meaning,,,", "?run,,,,,hashiru\\nkakeru,,,", "?\"a, b\",,,,,c,,," } },
        { "header skipped, hint",
          { 0, 1, 2, true },
          { "?run,,,,,hashiru\\nkakeru,h1\\nh2\\nh3 h4,,", "?\"a, b\",,,,,c,,," } },
        { "answer only", { 1, -1, -1, true }, { "hashiru kakeru", "c" } },
        { "column beyond the record", { 0, 5, -1, true }, { "run", "a, b" } },
    };
    for (const Row &row : rows)
        EXPECT_EQ(linesOf(convertCsv(file, row.columns)), row.lines) << row.name;
}

TEST(CsvImport, ListsUnmappableCharactersByLineAndLeavesTheRecordOut)
{
    // "café" (é is not in CP932) on line 2, an emoji on line 4.
    const CsvFile file = parseCsvFile("ok\tfine\ncaf\xC3\xA9\tx\ngood\tyes\n"
                                      "smile\t\xF0\x9F\x98\x80\xC3\xA9\xF0\x9F\x98\x80\n");
    const CsvConversion converted = convertCsv(file, file.columns);
    EXPECT_EQ(converted.lines, (Strings { "?ok,,,,,fine,,,", "?good,,,,,yes,,," }));
    EXPECT_EQ(converted.unmappable,
              (std::vector<UnmappableLine> { { 2, { 0xE9 } }, { 4, { 0x1F600, 0xE9 } } }));
    EXPECT_EQ(unmappableListing(converted.unmappable),
              sj("2行目: U+00E9\n4行目: U+1F600 U+00E9\n"));
    // A CP932 file holds nothing unmappable.
    EXPECT_TRUE(convertCsv(parseCsvFile(sj("表,ー\r\n")), {}).unmappable.empty());
}

TEST(CsvImport, PastedRowsFillTheGridColumnsInOrder)
{
    struct Row
    {
        const char *name;
        std::string text;
        Strings lines;
    } rows[] = {
        { "one line keeps the question line", "?a,b,,,,q,,,\r\n", { "?a,b,,,,q,,," } },
        { "plain lines", "x\r\n\r\ny", { "x", "y" } },
        { "twelve columns",
          "a1\ta2\ta3\ta4\ta5\tq1\tq2\th1\th2\th3\tw.wav\text\tignored",
          { "?a1,a2,a3,a4,a5,q1\\nq2,h1\\nh2\\nh3,w.wav,ext" } },
        { "a cell with a line break", "a\t\"q\r\nr\"\nb\tc", { "?a,q r,,,,,,,", "?b,c,,,,,,," } },
        { "rows of empty cells left out", "\t\t\na\t\n", { "a" } },
    };
    for (const Row &row : rows) {
        Strings lines;
        for (const CQuestion &question : pastedRows(row.text))
            lines.push_back(formatQuestionLine(question));
        EXPECT_EQ(lines, row.lines) << row.name;
    }
}

struct CsvCommand
{
    CQuestionDatabase database;
    test::CScriptedPrompter prompter;
    CTempFile file { "words.csv" };
    test::ScriptedEditorDialogs dialogs; // the preview's answer in dialogs.csvColumns
    test::ScriptedFileDialogs fileDialogs;
    const std::vector<FileRequest> &requests = fileDialogs.requests;

    TreeEditResult run(const std::optional<std::string> &folder)
    {
        fileDialogs.answers = { file.path() };
        return csvImportCommand(database, prompter, fileDialogs, dialogs, folder, sj("山田"));
    }
};

TEST(CsvImport, CommandCreatesAUniquelyNamedCollectionUnderTheFolder)
{
    CsvCommand command;
    CFolder &folder = command.database.root.addFolder();
    folder.name = sj("自作");
    folder.addSection().name = "words";
    writeFile(command.file.path(), "apple,ringo\r\npear,nashi\r\n");

    const TreeEditResult result = command.run(sj("自作"));
    ASSERT_TRUE(result.changed);
    EXPECT_EQ(result.select->path, sj("自作/words (1)"));
    const CSection &section = findSection(command.database.root, sj("自作/words (1)"));
    EXPECT_EQ(Strings(section.lines.begin(), section.lines.end()),
              (Strings { "?apple,,,,,ringo,,,", "?pear,,,,,nashi,,,", "" }));
    EXPECT_EQ(section.header.field(CInnerHeader::CopyrightHolder), sj("山田"));
    EXPECT_EQ(command.prompter.texts(),
              Strings { sj("新しい問題集 自作/words (1) を作成しました。") });
    EXPECT_EQ(command.requests[0].filters.front().label, sj("テキスト (*.csv;*.tsv;*.txt)"));

    // At the root without a folder; cancelled in the preview: nothing.
    EXPECT_EQ(command.run(std::nullopt).select->path, "words");
    command.dialogs.csvColumns.reset();
    EXPECT_FALSE(command.run(std::nullopt).changed);
}

TEST(CsvImport, CommandTellsWhatItLeftOutAndRefusesAnEmptyResult)
{
    CsvCommand command;
    writeFile(command.file.path(), "caf\xC3\xA9,x\n");
    EXPECT_FALSE(command.run(std::nullopt).changed);
    EXPECT_EQ(command.prompter.texts().back(),
              sj("取り込める問題がありませんでした。\n\n次の行はCP932で表せない文字を含むため、"
                 "取り込みませんでした。\n1行目: U+00E9\n"));
    EXPECT_TRUE(command.database.root.entries.empty());

    writeFile(command.file.path(), "caf\xC3\xA9,x\nok,y\n");
    EXPECT_TRUE(command.run(std::nullopt).changed);
    EXPECT_NE(command.prompter.texts().back().find(sj("1行目: U+00E9")), std::string::npos);

    CsvCommand missing;
    std::remove(missing.file.path().c_str());
    EXPECT_FALSE(missing.run(std::nullopt).changed);
    EXPECT_EQ(missing.prompter.texts().back(),
              sj("ファイル ") + missing.file.path() + sj(" が読み込めませんでした。"));
}

} // namespace
} // namespace kvr
