// The database text file: tag lines open and close folders and collections, each node has a
// name line and a header block ended by ".", a collection's body is its question lines.
#include <algorithm>
#include <memory>
#include <vector>

#include "db/dbcs.h"
#include "db/questiondatabase.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

constexpr std::string_view kSectionOpen = "<s>";
constexpr std::string_view kSectionClose = "</s>";
constexpr std::string_view kFolderOpen = "<f>";
constexpr std::string_view kFolderClose = "</f>";
constexpr std::string_view kHeaderEnd = ".";
constexpr std::string_view kNote = "note=";
constexpr std::size_t kLineEndSize = 2;

// Tags match in any letter case (A-Z only) and as prefixes; names and texts are always
// taken from the line as read.
bool isTag(std::string_view line, std::string_view lowerTag)
{
    return dbcs::startsWithIgnoringAsciiCase(line, lowerTag);
}

class CDatabaseReader
{
public:
    explicit CDatabaseReader(CQuestionDatabase &database)
        : m_database(database)
    {
    }

    // The block the following lines lie in; collections keep it instead of copying them.
    void useBlock(const CQuestionLines::Block &block, std::size_t size)
    {
        m_block = &block;
        m_blockSize = size;
    }

    void feed(std::string_view line)
    {
        switch (m_state) {
        case State::Start:
        case State::AfterTop:
            return topLevelLine(line);
        case State::NameLine:
            m_node.name->assign(line);
            m_headerIndex = 0;
            m_state = State::HeaderBlock;
            return;
        case State::HeaderBlock:
            return headerLine(line);
        case State::FolderBody:
            return folderBodyLine(line);
        case State::SectionBody:
            return sectionBodyLine(line);
        }
    }

    // Complete only when at least one element was read and every element was closed.
    bool complete() const { return m_state == State::AfterTop; }

private:
    enum class State { Start, NameLine, HeaderBlock, FolderBody, SectionBody, AfterTop };

    struct NodeBeingRead
    {
        std::string *name = nullptr;
        CInnerHeader *header = nullptr;
        bool isSection = false;
    };

    void topLevelLine(std::string_view line)
    {
        if (isTag(line, kSectionOpen))
            openSection(m_database.root);
        else if (isTag(line, kFolderOpen))
            openFolder(m_database.root);
        else if (m_state == State::Start)
            m_database.preamble.emplace_back(line);
    }

    void headerLine(std::string_view line)
    {
        if (isTag(line, kHeaderEnd)) {
            m_state = m_node.isSection ? State::SectionBody : State::FolderBody;
            return;
        }
        // Notes take a place in the count too, so a note before the fields shifts them.
        const std::size_t index = m_headerIndex++;
        if (isTag(line, kNote))
            m_node.header->notes.emplace_back(line.substr(kNote.size()));
        else if (index < m_node.header->headerFields.size())
            m_node.header->headerFields[index].assign(line);
    }

    void folderBodyLine(std::string_view line)
    {
        if (isTag(line, kSectionOpen)) {
            openSection(*m_folders.back());
        } else if (isTag(line, kFolderOpen)) {
            openFolder(*m_folders.back());
        } else if (isTag(line, kFolderClose)) {
            m_folders.pop_back();
            m_state = m_folders.empty() ? State::AfterTop : State::FolderBody;
        }
    }

    void sectionBodyLine(std::string_view line)
    {
        if (isTag(line, kSectionClose)) {
            CQuestionLines &lines = m_section->lines;
            if (m_previousLineCount > 2 * lines.size() + 16)
                lines.shrink_to_fit(); // a guess from a larger collection before
            m_previousLineCount = lines.size();
            m_section = nullptr;
            m_state = m_folders.empty() ? State::AfterTop : State::FolderBody;
            return;
        }
        m_section->lines.appendShared(line, *m_block, m_blockSize);
    }

    void openSection(CFolder &parent)
    {
        m_section = &parent.addSection();
        // Collections of one file tend to be alike in size; this saves most regrowth.
        m_section->lines.reserve(m_previousLineCount);
        m_node = { &m_section->name, &m_section->header, true };
        m_state = State::NameLine;
    }

    void openFolder(CFolder &parent)
    {
        CFolder &folder = parent.addFolder();
        m_folders.push_back(&folder);
        m_node = { &folder.name, &folder.header, false };
        m_state = State::NameLine;
    }

    CQuestionDatabase &m_database;
    State m_state = State::Start;
    std::vector<CFolder *> m_folders; // open folders, innermost last; nodes never move
    CSection *m_section = nullptr;
    NodeBeingRead m_node;
    std::size_t m_headerIndex = 0;
    std::size_t m_previousLineCount = 0;
    const CQuestionLines::Block *m_block = nullptr;
    std::size_t m_blockSize = 0;
};

std::size_t lineSize(std::string_view text)
{
    return text.size() + kLineEndSize;
}

std::size_t headerSize(const std::string &name, const CInnerHeader &header)
{
    std::size_t size = lineSize(kSectionOpen) + lineSize(name) + lineSize(kHeaderEnd);
    for (const std::string &field : header.headerFields)
        size += lineSize(field);
    for (const std::string &note : header.notes)
        size += kNote.size() + lineSize(note);
    return size;
}

// Calls enter(entry) for every entry below root in file order and leave() after the last
// entry of every folder below root, with a stack of its own: folders nest to any depth.
template <typename Enter, typename Leave>
void walkTree(const CFolder &root, Enter enter, Leave leave)
{
    struct Level
    {
        const CFolder *folder;
        std::size_t next;
    };
    std::vector<Level> open { { &root, 0 } };
    while (!open.empty()) {
        Level &level = open.back();
        if (level.next == level.folder->entries.size()) {
            open.pop_back();
            if (!open.empty())
                leave();
            continue;
        }
        const TreeEntry &entry = level.folder->entries[level.next++];
        enter(entry);
        if (entry.kind() == EntryKind::Folder)
            open.push_back({ &entry.folder(), 0 });
    }
}

std::size_t folderSize(const CFolder &root)
{
    std::size_t size = 0;
    walkTree(
        root,
        [&size](const TreeEntry &entry) {
            if (entry.kind() == EntryKind::Folder) {
                size += headerSize(entry.name(), entry.folder().header);
                return;
            }
            size += headerSize(entry.name(), entry.section().header);
            for (std::string_view line : entry.section().lines)
                size += lineSize(line);
            size += lineSize(kSectionClose) + lineSize({});
        },
        [&size] { size += lineSize(kFolderClose) + lineSize({}); });
    return size;
}

void writeHeader(CLineWriter &out, std::string_view tag, const std::string &name,
                 const CInnerHeader &header)
{
    out.line(tag);
    out.line(name);
    for (const std::string &field : header.headerFields)
        out.line(field);
    for (const std::string &note : header.notes) {
        out.raw(kNote);
        out.line(note);
    }
    out.line(kHeaderEnd);
}

void writeFolderEntries(CLineWriter &out, const CFolder &root)
{
    walkTree(
        root,
        [&out](const TreeEntry &entry) {
            if (entry.kind() == EntryKind::Folder) {
                const CFolder &folder = entry.folder();
                writeHeader(out, kFolderOpen, folder.name, folder.header);
                return;
            }
            const CSection &section = entry.section();
            writeHeader(out, kSectionOpen, section.name, section.header);
            for (std::string_view line : section.lines)
                out.line(line);
            out.line(kSectionClose);
            out.line({});
        },
        [&out] {
            out.line(kFolderClose);
            out.line({});
        });
}

void formatInto(CLineWriter &out, const CQuestionDatabase &database)
{
    std::size_t size = folderSize(database.root);
    for (const std::string &line : database.preamble)
        size += lineSize(line);
    out.reserve(size);
    for (const std::string &line : database.preamble)
        out.line(line);
    writeFolderEntries(out, database.root);
}

} // namespace

namespace {

bool readLines(CQuestionDatabase &database, const CQuestionLines::Block &block, std::size_t size)
{
    CDatabaseReader reader(database);
    reader.useBlock(block, size);
    CLineSplitter splitter(std::string_view(block.get(), size));
    std::string_view line;
    while (splitter.next(line))
        reader.feed(line);
    return reader.complete();
}

} // namespace

// Collections keep the block the file was read into: no copy of a line is made.
bool readDatabase(CQuestionDatabase &database, std::string_view path)
{
    const std::optional<SharedText> file = readWholeFileShared(path);
    return file && readLines(database, file->bytes, file->size);
}

bool readDatabaseText(CQuestionDatabase &database, std::string_view text)
{
    const SharedText copy = sharedCopy(text);
    return readLines(database, copy.bytes, copy.size);
}

std::string formatDatabase(const CQuestionDatabase &database)
{
    CLineWriter out;
    formatInto(out, database);
    return out.take();
}

bool writeDatabase(const CQuestionDatabase &database, std::string_view path)
{
    CLineWriter out;
    formatInto(out, database);
    return replaceFileAtomically(path, out.contents());
}

} // namespace kvr
