#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/questionlines.h"

namespace kvr {

// The header block of a folder or collection.
struct CInnerHeader
{
    enum Field { CopyrightHolder = 0, Inputter = 1, StartMessage = 2 };
    std::array<std::string, 3> headerFields;
    std::vector<std::string> notes;

    // The field at index, or the empty text for any index outside 0-2.
    const std::string &field(int index) const;
    // Notes as one text, joined with CR LF; and back (a last empty piece is dropped).
    std::string notesText() const;
    void setNotesText(std::string_view text);

    bool operator==(const CInnerHeader &) const = default;
};

// A question collection: its lines are kept exactly as stored.
struct CSection
{
    std::string name;
    CInnerHeader header;
    CQuestionLines lines;

    int questionCount() const; // lines whose first byte is "?"
    bool containsLine(std::string_view line) const;
    void appendLine(std::string_view line) { lines.push_back(line); }

    bool operator==(const CSection &) const = default;
};

struct CFolder;

enum class EntryKind { Section = 0, Folder = 1 };

// One slot of a folder. Value semantics: copying copies the whole subtree.
class TreeEntry
{
public:
    explicit TreeEntry(CSection section);
    explicit TreeEntry(CFolder folder);
    TreeEntry(const TreeEntry &other);
    TreeEntry &operator=(const TreeEntry &other);
    TreeEntry(TreeEntry &&) noexcept = default;
    TreeEntry &operator=(TreeEntry &&) noexcept = default;
    ~TreeEntry();

    EntryKind kind() const { return m_kind; }
    const std::string &name() const;
    // Wrong kind raises KvrError("not section") / KvrError("not folder").
    CSection &section();
    const CSection &section() const;
    CFolder &folder();
    const CFolder &folder() const;

    bool operator==(const TreeEntry &other) const;

private:
    EntryKind m_kind;
    std::unique_ptr<CSection> m_section;
    std::unique_ptr<CFolder> m_folder;
};

struct CFolder
{
    std::string name;
    CInnerHeader header;
    std::vector<TreeEntry> entries;

    CSection &addSection();
    CFolder &addFolder();

    bool operator==(const CFolder &) const = default;
};

// Path look-ups ("/"-joined names from the start folder). Failures raise KvrError with
// "folder <path>not found." / "section <path>not found.", path as given.
CFolder &findFolder(CFolder &start, std::string_view path);
const CFolder &findFolder(const CFolder &start, std::string_view path);
CSection &findSection(CFolder &start, std::string_view path);
const CSection &findSection(const CFolder &start, std::string_view path);
bool hasFolder(const CFolder &start, std::string_view path);
bool hasSection(const CFolder &start, std::string_view path);

struct CQuestionDatabase
{
    std::vector<std::string> preamble;
    CFolder root;

    void clear();
    bool operator==(const CQuestionDatabase &) const = default;
};

// The database text file. readDatabase appends to what the database holds and is true
// exactly when every element was closed; writeDatabase replaces the file atomically and is
// false on any write error.
bool readDatabase(CQuestionDatabase &database, std::string_view path);
bool readDatabaseText(CQuestionDatabase &database, std::string_view text);
bool writeDatabase(const CQuestionDatabase &database, std::string_view path);
std::string formatDatabase(const CQuestionDatabase &database);

} // namespace kvr
