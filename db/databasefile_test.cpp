#include <filesystem>
#include <gtest/gtest.h>
#include <random>

#include "db/question.h"
#include "db/questiondatabase.h"
#include "db/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

std::string crlf(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    return text;
}

CQuestionDatabase read(std::string_view text, bool expected = true)
{
    CQuestionDatabase db;
    EXPECT_EQ(readDatabaseText(db, text), expected) << visible(text);
    return db;
}

// The folder 英語 (A, B, no start message, note N) holding the collection 動物.
CQuestionDatabase exampleDatabase()
{
    CQuestionDatabase db;
    CFolder &english = db.root.addFolder();
    english.name = sj("英語");
    english.header.headerFields = { "A", "B", "" };
    english.header.notes = { "N" };
    CSection &animals = english.addSection();
    animals.name = sj("動物");
    animals.appendLine("?dog,,,,," + sj("犬") + ",,,");
    animals.appendLine("?cat,,,,," + sj("猫") + ",,,");
    return db;
}

TEST(DatabaseFile, WritesTheExampleByteForByte)
{
    const std::string expected = crlf({ "<f>", sj("英語"), "A", "B", "", "note=N", ".", "<s>",
                                        sj("動物"), "", "", "", ".", "?dog,,,,," + sj("犬") + ",,,",
                                        "?cat,,,,," + sj("猫") + ",,,", "</s>", "", "</f>", "" });
    EXPECT_EQ(formatDatabase(exampleDatabase()), expected);

    CTempFile file;
    ASSERT_TRUE(writeDatabase(exampleDatabase(), file.path()));
    EXPECT_EQ(readWholeFile(file.path()), expected);
    CQuestionDatabase back;
    ASSERT_TRUE(readDatabase(back, file.path()));
    EXPECT_EQ(back, exampleDatabase());
}

std::vector<CQuestionDatabase> roundTripDatabases()
{
    std::vector<CQuestionDatabase> dbs;
    dbs.push_back(exampleDatabase());

    CQuestionDatabase tricky;
    tricky.preamble = { "", "; comment", "</s>", "</F>", "  spaced  ", "." };
    CSection &lone = tricky.root.addSection();
    lone.name = ".";
    lone.header.headerFields = { " ", "<s>", "</f>" };
    lone.header.notes = { "", ".", "note=", "NOTE=x", "" };
    for (const std::string &line :
         { std::string(), std::string("."), std::string("<s>"), std::string("<F>x"),
           std::string("</f>"), std::string("note=x"), std::string("plain, text"),
           std::string("mid\rcr"), std::string("nul\0in", 7), std::string("lead\x81"),
           std::string(1022, 'x'), std::string(1 << 20, 'y'), std::string("trail  ") })
        lone.appendLine(line);
    CFolder *folder = &tricky.root.addFolder();
    folder->name = "<s>";
    for (int depth = 0; depth < 6; ++depth) {
        folder->addSection();
        folder = &folder->addFolder();
        folder->name = sj("深さ") + std::to_string(depth);
    }
    folder->header.notes = { "deep" };
    tricky.root.addFolder();
    tricky.root.addSection().name = sj("表");
    dbs.push_back(tricky);

    // Question lines as the editor writes them, including answers that look like tags.
    CQuestionDatabase questions;
    CSection &section = questions.root.addSection();
    for (const char *answer : { "?", "</s>", "</S> x", "a\r\nb", "<f>", "." }) {
        CQuestion q;
        q.answers[0] = answer;
        section.appendLine(formatQuestionLine(q));
    }
    dbs.push_back(questions);
    return dbs;
}

TEST(DatabaseFile, WrittenTreesReadBackEqual)
{
    for (const CQuestionDatabase &db : roundTripDatabases()) {
        const std::string text = formatDatabase(db);
        EXPECT_EQ(read(text), db);
        std::string lfOnly = text;
        replaceAllDbcs(lfOnly, "\r\n", "\n");
        EXPECT_EQ(read(lfOnly), db);

        CTempFile file;
        ASSERT_TRUE(writeDatabase(db, file.path()));
        CQuestionDatabase back;
        ASSERT_TRUE(readDatabase(back, file.path()));
        EXPECT_EQ(back, db);
    }
}

TEST(DatabaseFile, ReaderFollowsItsStateTable)
{
    struct Row
    {
        std::string text;
        bool ok;
        std::string reformatted; // what the tree read is written as
    };
    const std::string section = crlf({ "<s>", "S", ".", "</s>" });
    const std::string sectionOut = crlf({ "<s>", "S", "", "", "", ".", "</s>", "" });
    const Row rows[] = {
        { "", false, "" },
        { crlf({ "pre", "" }), false, crlf({ "pre", "" }) },
        { "<s>", false, crlf({ "<s>", "", "", "", "", ".", "</s>", "" }) },
        { crlf({ "<s>", "S", "." }), false, sectionOut },
        { crlf({ "<s>", "S", ".", "?q" }), false,
          crlf({ "<s>", "S", "", "", "", ".", "?q", "</s>", "" }) },
        { "<s>\nS\n.\n</s>", true, sectionOut },
        { crlf({ "<S>extra", "S", ".more", "</S>tail" }), true, sectionOut },
        { section + crlf({ "lost", "</f>", "</s>" }) + section, true, sectionOut + sectionOut },
        { crlf({ "<F>", "F", ".", "lost", "</s>", "<S>", "S", ".", "</s>", "lost", "</F>" }), true,
          crlf({ "<f>", "F", "", "", "", ".", "<s>", "S", "", "", "", ".", "</s>", "", "</f>",
                 "" }) },
        { crlf({ "<f>", "F", "." }), false, crlf({ "<f>", "F", "", "", "", ".", "</f>", "" }) },
        { crlf({ "<f>", "F", ".", "<f>", "G", ".", "</f>" }), false,
          crlf({ "<f>", "F", "", "", "", ".", "<f>", "G", "", "", "", ".", "</f>", "", "</f>",
                 "" }) },
        { crlf({ "<s>", "S", ".", "<s>", "<f>", ".", "</f>", "</s>" }), true,
          crlf({ "<s>", "S", "", "", "", ".", "<s>", "<f>", ".", "</f>", "</s>", "" }) },
        { crlf({ "<s>", "<s>", ".", "</s>" }), true,
          crlf({ "<s>", "<s>", "", "", "", ".", "</s>", "" }) },
        // Notes count among the header lines; fields past the third are dropped.
        { crlf({ "<s>", "S", "note=n", "X", "Y", ".", "</s>" }), true,
          crlf({ "<s>", "S", "", "X", "Y", "note=n", ".", "</s>", "" }) },
        { crlf({ "<s>", "S", "a", "b", "c", "d", "NOTE=e", "Note=", ".", "</s>" }), true,
          crlf({ "<s>", "S", "a", "b", "c", "note=e", "note=", ".", "</s>", "" }) },
        { crlf({ "<s>", " S ", " a", "b ", "", ".", "</s>" }), true,
          crlf({ "<s>", " S ", " a", "b ", "", ".", "</s>", "" }) },
    };
    for (const Row &row : rows) {
        const CQuestionDatabase db = read(row.text, row.ok);
        EXPECT_EQ(formatDatabase(db), row.reformatted) << visible(row.text);
    }
}

TEST(DatabaseFile, ReadingAppendsToWhatIsThere)
{
    CQuestionDatabase db = exampleDatabase();
    db.preamble = { "p" };
    ASSERT_TRUE(readDatabaseText(db, crlf({ "q", "<s>", "S", ".", "</s>" })));
    EXPECT_EQ(db.preamble, (std::vector<std::string> { "p", "q" }));
    ASSERT_EQ(db.root.entries.size(), 2u);
    EXPECT_EQ(db.root.entries[1].name(), "S");
    EXPECT_TRUE(hasSection(db.root, sj("英語/動物")));
}

TEST(DatabaseFile, FileFailuresAreReported)
{
    CTempFile file;
    CQuestionDatabase db;
    EXPECT_FALSE(readDatabase(db, file.path()));
    EXPECT_FALSE(readDatabase(db, file.folder()));
    const std::string missingFolder = file.folder() + "/missing/db.kvr";
    EXPECT_FALSE(writeDatabase(exampleDatabase(), missingFolder));
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    // A write that cannot replace its target fails and leaves the target as it was.
    const std::string blocked = file.folder() + "/blocked";
    std::filesystem::create_directory(blocked);
    ASSERT_TRUE(replaceFileAtomically(blocked + "/inside", "kept"));
    EXPECT_FALSE(writeDatabase(exampleDatabase(), blocked));
    EXPECT_EQ(readWholeFile(blocked + "/inside"), "kept");

    ASSERT_TRUE(writeDatabase(exampleDatabase(), file.path()));
    ASSERT_TRUE(writeDatabase(CQuestionDatabase(), file.path()));
    EXPECT_EQ(readWholeFile(file.path()), "");
}

// A text made of the sample file cut short, or of random tag-like lines, must never crash,
// hang or run past its input; true only when its last element was closed.
TEST(DatabaseFile, MalformedInputIsReadSafely)
{
    const std::string whole = formatDatabase(roundTripDatabases()[0]);
    const std::size_t closed = whole.rfind("</f>") + 4;
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        CQuestionDatabase db;
        const bool ok = readDatabaseText(db, std::string_view(whole).substr(0, cut));
        EXPECT_EQ(ok, cut >= closed) << cut;
    }

    const std::vector<std::string> pieces = { "<s>",
                                              "</s>",
                                              "<F>",
                                              "</f>",
                                              ".",
                                              "note=",
                                              "NOTE=",
                                              "?\"a,",
                                              "x",
                                              "\x81",
                                              std::string(1, '\0'),
                                              "\r",
                                              "</S",
                                              "<" };
    std::mt19937 random(11);
    int complete = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int lines = static_cast<int>(random() % 30);
        for (int i = 0; i < lines; ++i) {
            const int n = static_cast<int>(random() % 3);
            for (int j = 0; j < n; ++j)
                text += pieces[random() % pieces.size()];
            text += random() % 2 ? "\r\n" : "\n";
        }
        CQuestionDatabase db;
        if (readDatabaseText(db, text)) {
            ++complete;
            EXPECT_EQ(read(formatDatabase(db)), db) << visible(text);
        }
        for (const TreeEntry &entry : db.root.entries) {
            if (entry.kind() == EntryKind::Section) {
                for (const std::string &line : entry.section().lines) {
                    CQuestion q;
                    parseQuestionLine(q, line);
                }
            }
        }
    }
    EXPECT_GT(complete, 20);
}

TEST(DatabaseFile, LongLinesAreReadWhole)
{
    const std::string line1022(1022, 'q');
    const std::string line1M = "?" + std::string(1 << 20, 'a') + "," + sj("表");
    CTempFile file;
    const std::string text = crlf({ "<s>", "S", ".", line1022, line1M, "</s>" });
    ASSERT_TRUE(replaceFileAtomically(file.path(), text));
    CQuestionDatabase db;
    ASSERT_TRUE(readDatabase(db, file.path()));
    const CSection &section = findSection(db.root, "S");
    ASSERT_EQ(section.lines.size(), 2u);
    EXPECT_EQ(section.lines[0], line1022);
    EXPECT_EQ(section.lines[1], line1M);
}

// Files are read in pieces; lines and their CR LF ends may straddle any piece boundary.
TEST(DatabaseFile, FileReadsLikeItsText)
{
    std::string text = crlf({ "pre", "<s>", "S", "." });
    for (int i = 0; text.size() < 300'000; ++i) {
        text += "?" + std::string(static_cast<std::size_t>(i % 211), 'a');
        text += i % 5 == 0 ? "\r" : "";
        text += i % 3 == 0 ? "\n" : "\r\n";
    }
    text += "</s>";
    CTempFile file;
    ASSERT_TRUE(replaceFileAtomically(file.path(), text));
    CQuestionDatabase fromFile;
    ASSERT_TRUE(readDatabase(fromFile, file.path()));
    EXPECT_EQ(fromFile, read(text));
}

// Folders nest to any depth: a tree 300,000 folders deep reads, writes, copies, compares and
// is freed without running out of stack.
TEST(DatabaseFile, DeeplyNestedFoldersNeedNoDeepStack)
{
    constexpr int kDepth = 300000;
    std::string text;
    text.reserve(kDepth * 20);
    for (int i = 0; i < kDepth; ++i)
        text += "<f>\r\nF\r\n.\r\n";
    text += "<s>\r\nS\r\n.\r\n?a,,,,,q,,,\r\n</s>\r\n";
    for (int i = 0; i < kDepth; ++i)
        text += "</f>\r\n";
    CTempFile file;
    ASSERT_TRUE(replaceFileAtomically(file.path(), text));

    CQuestionDatabase db;
    ASSERT_TRUE(readDatabase(db, file.path()));
    std::string path;
    for (int i = 0; i < kDepth; ++i)
        path += "F/";
    EXPECT_EQ(findSection(db.root, path + "S").lines.size(), 1u);

    const std::string written = file.folder() + "/written.kvr";
    ASSERT_TRUE(writeDatabase(db, written));
    CQuestionDatabase again;
    ASSERT_TRUE(readDatabase(again, written));
    EXPECT_TRUE(again == db);
    findSection(again.root, path + "S").appendLine("?b");
    EXPECT_FALSE(again == db);

    const CQuestionDatabase copy = db;
    EXPECT_TRUE(copy == db);
    db.clear();
    EXPECT_EQ(findSection(copy.root, path + "S").lines[0], "?a,,,,,q,,,");
}

} // namespace
} // namespace kvr
