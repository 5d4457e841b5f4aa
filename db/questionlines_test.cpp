#include <gtest/gtest.h>

#include "db/questiondatabase.h"
#include "db/questionlines.h"

using namespace kvr;

namespace {

using Strings = std::vector<std::string>;

std::string takesString(const std::string &text)
{
    return text;
}

} // namespace

// Every change a collection's lines see in the editor and the drill, against a plain vector.
TEST(QuestionLines, ChangesLikeAVectorOfStrings)
{
    CQuestionLines lines = { "?a,,,,,x,,,", "plain", "" };
    Strings model = { "?a,,,,,x,,,", "plain", "" };
    lines.push_back("?b");
    model.push_back("?b");
    lines.insert(lines.begin() + 1, "inserted");
    model.insert(model.begin() + 1, "inserted");
    lines[0] = "replaced";
    model[0] = "replaced";
    lines[2] = lines[4]; // one line onto another
    model[2] = model[4];
    lines.erase(lines.begin() + 3);
    model.erase(model.begin() + 3);
    EXPECT_EQ(lines, model);
    EXPECT_EQ(lines.toStrings(), model);
    EXPECT_EQ(lines.size(), model.size());

    const std::string first = lines[0]; // reads as a std::string too
    EXPECT_EQ(first, "replaced");
    EXPECT_EQ(takesString(lines.back()), "?b");
    EXPECT_EQ("<" + lines.front() + ">", "<replaced>");
    EXPECT_EQ(CQuestionLines(model), lines);

    lines.resize(7);
    model.resize(7);
    lines.resize(6);
    model.resize(6);
    EXPECT_EQ(lines, model);
    EXPECT_EQ(lines[1] + lines[2], model[1] + model[2]);

    lines.assign(3, "same");
    EXPECT_EQ(lines, (Strings { "same", "same", "same" }));
    lines.clear();
    EXPECT_TRUE(lines.empty());
}

// Appended texts share blocks with room to spare: a copy and its original must never write
// into the same free space.
TEST(QuestionLines, CopiesAppendWithoutTouchingEachOther)
{
    CQuestionLines original = { "one" };
    original.push_back("two");
    CQuestionLines copy = original;
    CQuestionLines assigned;
    assigned = original;
    original.push_back("from the original");
    copy.push_back("from the copy");
    assigned.push_back("from the assigned");
    EXPECT_EQ(original, (Strings { "one", "two", "from the original" }));
    EXPECT_EQ(copy, (Strings { "one", "two", "from the copy" }));
    EXPECT_EQ(assigned, (Strings { "one", "two", "from the assigned" }));
}

// Many replacements of long lines must not keep every old text; the lines stay intact when
// their storage is tidied up, including a line set from another line of the same list.
TEST(QuestionLines, ReplacedTextsAreReleasedAndTheLinesStayIntact)
{
    CQuestionLines lines;
    Strings model;
    for (int i = 0; i < 50; ++i) {
        lines.push_back("line " + std::to_string(i));
        model.push_back("line " + std::to_string(i));
    }
    for (int round = 0; round < 2000; ++round) {
        const std::size_t at = static_cast<std::size_t>(round * 7) % model.size();
        const std::size_t from = static_cast<std::size_t>(round * 13) % model.size();
        if (round % 3 == 0) {
            lines[at] = std::string(500, static_cast<char>('a' + round % 26));
            model[at] = std::string(500, static_cast<char>('a' + round % 26));
        } else {
            lines.set(at, lines[from]);
            model[at] = model[from];
        }
    }
    EXPECT_EQ(lines, model);
    std::size_t bytes = 0;
    for (const std::string &line : model)
        bytes += line.size();
    EXPECT_LE(lines.storedBytes(), 2 * bytes + 4096);
    const CQuestionLines copy = lines; // shares the texts, equal while unchanged
    lines.erase(lines.begin(), lines.begin() + 40);
    model.erase(model.begin(), model.begin() + 40);
    EXPECT_EQ(lines, model);
    EXPECT_EQ(copy.size(), 50u);
}

// Lines read from a file stay valid in copies that outlive the database they came from.
TEST(QuestionLines, ReadLinesOutliveTheirDatabase)
{
    CSection kept;
    {
        CQuestionDatabase database;
        std::string text = "<s>\r\nS\r\n\r\n\r\n\r\n.\r\n";
        for (int i = 0; i < 20000; ++i)
            text += "?q" + std::to_string(i) + "\r\n";
        text += "</s>\r\n";
        ASSERT_TRUE(readDatabaseText(database, text));
        kept = findSection(database.root, "S");
        text.assign(text.size(), 'x');
    }
    ASSERT_EQ(kept.lines.size(), 20000u);
    EXPECT_EQ(kept.lines[0], "?q0");
    EXPECT_EQ(kept.lines[19999], "?q19999");
    EXPECT_EQ(kept.questionCount(), 20000);
}
