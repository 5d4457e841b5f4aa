// The folder / collection tree and its path look-ups.
#include <algorithm>
#include <memory>
#include <utility>

#include "db/questiondatabase.h"
#include "platform/error.h"

namespace kvr {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

const std::string &emptyText()
{
    static const std::string empty;
    return empty;
}

const CFolder *folderEntryNamed(const CFolder &folder, std::string_view name)
{
    for (const TreeEntry &entry : folder.entries) {
        if (entry.kind() == EntryKind::Folder && entry.name() == name)
            return &entry.folder();
    }
    return nullptr;
}

const CSection *sectionEntryNamed(const CFolder &folder, std::string_view name)
{
    for (const TreeEntry &entry : folder.entries) {
        if (entry.kind() == EntryKind::Section && entry.name() == name)
            return &entry.section();
    }
    return nullptr;
}

// The folder at path, split at its first "/" level by level; null when a name is missing.
const CFolder *walkFolders(const CFolder &start, std::string_view path)
{
    const CFolder *folder = &start;
    for (;;) {
        const std::size_t slash = path.find('/');
        folder = folderEntryNamed(*folder, path.substr(0, slash));
        if (!folder || slash == std::string_view::npos)
            return folder;
        path.remove_prefix(slash + 1);
    }
}

// The collection at path: the part before the last "/" is a folder path.
const CSection *walkToSection(const CFolder &start, std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const CFolder *folder = &start;
    if (slash != std::string_view::npos) {
        folder = walkFolders(start, path.substr(0, slash));
        path.remove_prefix(slash + 1);
    }
    return folder ? sectionEntryNamed(*folder, path) : nullptr;
}

[[noreturn]] void raiseNotFound(const char *kind, std::string_view path)
{
    std::string text = kind;
    text += ' ';
    text.append(path);
    text += "not found.";
    throw KvrError(text);
}

} // namespace

const std::string &CInnerHeader::field(int index) const
{
    if (index < 0 || index >= static_cast<int>(headerFields.size()))
        return emptyText();
    return headerFields[static_cast<std::size_t>(index)];
}

std::string CInnerHeader::notesText() const
{
    std::string text;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (i > 0)
            text.append(kLineEnd);
        text.append(notes[i]);
    }
    return text;
}

void CInnerHeader::setNotesText(std::string_view text)
{
    notes.clear();
    for (;;) {
        const std::size_t end = text.find(kLineEnd);
        if (end == std::string_view::npos)
            break;
        notes.emplace_back(text.substr(0, end));
        text.remove_prefix(end + kLineEnd.size());
    }
    if (!text.empty())
        notes.emplace_back(text);
}

int CSection::questionCount() const
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](std::string_view l) {
        return !l.empty() && l.front() == '?';
    }));
}

bool CSection::containsLine(std::string_view line) const
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TreeEntry::TreeEntry(CSection section)
    : m_kind(EntryKind::Section)
    , m_section(std::make_unique<CSection>(std::move(section)))
{
}

TreeEntry::TreeEntry(CFolder folder)
    : m_kind(EntryKind::Folder)
    , m_folder(std::make_unique<CFolder>(std::move(folder)))
{
}

// Folders nest to any depth, so copying, comparing and freeing a subtree work through a list
// of pending folders instead of recursing: the stack cannot overflow on a deep tree.

TreeEntry::TreeEntry(const TreeEntry &other)
    : m_kind(other.m_kind)
{
    if (other.m_section)
        m_section = std::make_unique<CSection>(*other.m_section);
    if (!other.m_folder)
        return;
    const auto shellOf = [](const CFolder &folder) {
        CFolder shell;
        shell.name = folder.name;
        shell.header = folder.header;
        return shell;
    };
    m_folder = std::make_unique<CFolder>(shellOf(*other.m_folder));
    std::vector<std::pair<const CFolder *, CFolder *>> pending { { other.m_folder.get(),
                                                                   m_folder.get() } };
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        to->entries.reserve(from->entries.size());
        for (const TreeEntry &entry : from->entries) {
            if (entry.m_section) {
                to->entries.emplace_back(*entry.m_section);
            } else {
                TreeEntry &copy = to->entries.emplace_back(shellOf(*entry.m_folder));
                pending.emplace_back(entry.m_folder.get(), copy.m_folder.get());
            }
        }
    }
}

TreeEntry &TreeEntry::operator=(const TreeEntry &other)
{
    if (this != &other) {
        TreeEntry copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TreeEntry::~TreeEntry()
{
    if (!m_folder || m_folder->entries.empty())
        return;
    // Each folder's entries are taken out before the folder goes, so every destructor below
    // meets an empty folder.
    std::vector<std::vector<TreeEntry>> pending;
    pending.push_back(std::move(m_folder->entries));
    while (!pending.empty()) {
        std::vector<TreeEntry> level = std::move(pending.back());
        pending.pop_back();
        for (TreeEntry &entry : level) {
            if (entry.m_folder && !entry.m_folder->entries.empty())
                pending.push_back(std::move(entry.m_folder->entries));
        }
    }
}

const std::string &TreeEntry::name() const
{
    return m_kind == EntryKind::Folder ? m_folder->name : m_section->name;
}

CSection &TreeEntry::section()
{
    return const_cast<CSection &>(std::as_const(*this).section());
}

const CSection &TreeEntry::section() const
{
    if (m_kind != EntryKind::Section)
        throw KvrError("not section");
    return *m_section;
}

CFolder &TreeEntry::folder()
{
    return const_cast<CFolder &>(std::as_const(*this).folder());
}

const CFolder &TreeEntry::folder() const
{
    if (m_kind != EntryKind::Folder)
        throw KvrError("not folder");
    return *m_folder;
}

bool TreeEntry::operator==(const TreeEntry &other) const
{
    if (m_kind != other.m_kind)
        return false;
    if (m_kind == EntryKind::Section)
        return *m_section == *other.m_section;
    std::vector<std::pair<const CFolder *, const CFolder *>> pending { { m_folder.get(),
                                                                         other.m_folder.get() } };
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (a->name != b->name || a->header != b->header || a->entries.size() != b->entries.size())
            return false;
        for (std::size_t i = 0; i < a->entries.size(); ++i) {
            const TreeEntry &x = a->entries[i];
            const TreeEntry &y = b->entries[i];
            if (x.m_kind != y.m_kind)
                return false;
            if (x.m_kind == EntryKind::Section) {
                if (!(*x.m_section == *y.m_section))
                    return false;
            } else {
                pending.emplace_back(x.m_folder.get(), y.m_folder.get());
            }
        }
    }
    return true;
}

CSection &CFolder::addSection()
{
    return entries.emplace_back(CSection()).section();
}

CFolder &CFolder::addFolder()
{
    return entries.emplace_back(CFolder()).folder();
}

CFolder &findFolder(CFolder &start, std::string_view path)
{
    return const_cast<CFolder &>(findFolder(std::as_const(start), path));
}

const CFolder &findFolder(const CFolder &start, std::string_view path)
{
    if (const CFolder *folder = walkFolders(start, path))
        return *folder;
    raiseNotFound("folder", path);
}

CSection &findSection(CFolder &start, std::string_view path)
{
    return const_cast<CSection &>(findSection(std::as_const(start), path));
}

const CSection &findSection(const CFolder &start, std::string_view path)
{
    if (const CSection *section = walkToSection(start, path))
        return *section;
    raiseNotFound("section", path);
}

bool hasFolder(const CFolder &start, std::string_view path)
{
    return walkFolders(start, path) != nullptr;
}

bool hasSection(const CFolder &start, std::string_view path)
{
    return walkToSection(start, path) != nullptr;
}

void CQuestionDatabase::clear()
{
    preamble.clear();
    root = CFolder();
}

} // namespace kvr
