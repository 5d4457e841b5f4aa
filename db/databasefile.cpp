// The database text file: tag lines open and close folders and collections, each node has a
// name line and a header block ended by ".", a collection's body is its question lines.
#include <cstdio>
#include <cstring>
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
            std::vector<std::string> &lines = m_section->lines;
            m_previousLineCount = lines.size();
            if (lines.capacity() > 2 * lines.size() + 16)
                lines.shrink_to_fit(); // a guess from a larger collection before
            m_section = nullptr;
            m_state = m_folders.empty() ? State::AfterTop : State::FolderBody;
            return;
        }
        m_section->lines.emplace_back(line);
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
};

// Reads a file in chunks and hands over whole lines (of any length) as CLineSplitter cuts
// them. The file is never held whole: a file-sized buffer freed among the many small line
// texts would fragment the heap and make every later allocation slower.
class CFileLines
{
public:
    CFileLines() = default;
    CFileLines(const CFileLines &) = delete;
    CFileLines &operator=(const CFileLines &) = delete;
    ~CFileLines()
    {
        if (m_file)
            std::fclose(m_file);
    }

    bool open(std::string_view path)
    {
        m_file = std::fopen(nativePath(path).c_str(), "rb");
        return m_file != nullptr;
    }

    // False when the file could not be read to its end.
    template <typename Consumer> bool forEachLine(Consumer &&consume)
    {
        std::vector<char> buffer(kChunkSize);
        std::size_t kept = 0; // bytes of an unfinished line at the front of the buffer
        for (;;) {
            if (kept == buffer.size())
                buffer.resize(buffer.size() * 2); // a line longer than the buffer
            const std::size_t got =
                std::fread(buffer.data() + kept, 1, buffer.size() - kept, m_file);
            if (got == 0)
                break;
            const std::string_view data(buffer.data(), kept + got);
            // The kept bytes hold no line end, so only the new ones are searched.
            const std::size_t newEnd = data.substr(kept).rfind('\n');
            if (newEnd == std::string_view::npos) {
                kept = data.size();
                continue;
            }
            const std::size_t lastEnd = kept + newEnd;
            splitInto(data.substr(0, lastEnd + 1), consume);
            kept = data.size() - (lastEnd + 1);
            std::memmove(buffer.data(), buffer.data() + lastEnd + 1, kept);
        }
        if (std::ferror(m_file))
            return false;
        splitInto(std::string_view(buffer.data(), kept), consume);
        return true;
    }

private:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    template <typename Consumer> static void splitInto(std::string_view text, Consumer &consume)
    {
        CLineSplitter splitter(text);
        std::string_view line;
        while (splitter.next(line))
            consume(line);
    }

    std::FILE *m_file = nullptr;
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

std::size_t folderSize(const CFolder &folder)
{
    std::size_t size = 0;
    for (const TreeEntry &entry : folder.entries) {
        size += lineSize(kSectionClose) + lineSize({});
        if (entry.kind() == EntryKind::Folder) {
            size += headerSize(entry.name(), entry.folder().header) + folderSize(entry.folder());
        } else {
            size += headerSize(entry.name(), entry.section().header);
            for (const std::string &line : entry.section().lines)
                size += lineSize(line);
        }
    }
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

void writeFolderEntries(CLineWriter &out, const CFolder &folder)
{
    for (const TreeEntry &entry : folder.entries) {
        if (entry.kind() == EntryKind::Folder) {
            const CFolder &child = entry.folder();
            writeHeader(out, kFolderOpen, child.name, child.header);
            writeFolderEntries(out, child);
            out.line(kFolderClose);
        } else {
            const CSection &section = entry.section();
            writeHeader(out, kSectionOpen, section.name, section.header);
            for (const std::string &line : section.lines)
                out.line(line);
            out.line(kSectionClose);
        }
        out.line({});
    }
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

bool readDatabase(CQuestionDatabase &database, std::string_view path)
{
    CFileLines file;
    if (!file.open(path))
        return false;
    CDatabaseReader reader(database);
    const bool readAll = file.forEachLine([&reader](std::string_view line) { reader.feed(line); });
    return readAll && reader.complete();
}

bool readDatabaseText(CQuestionDatabase &database, std::string_view text)
{
    CDatabaseReader reader(database);
    CLineSplitter splitter(text);
    std::string_view line;
    while (splitter.next(line))
        reader.feed(line);
    return reader.complete();
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
