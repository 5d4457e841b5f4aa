// Removing, copying and naming folders and collections.
#include "db/treeops.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/error.h"

namespace kvr {

namespace {

constexpr int kMaxNameNumber = 99;
constexpr std::string_view kFullWidthSlash = "\x81\x5E"; // "／"
constexpr std::string_view kFullWidthQuote = "\xFA\x57"; // "＂"

bool removeFirstEntry(CFolder &folder, std::string_view name, EntryKind kind)
{
    const auto it =
        std::find_if(folder.entries.begin(), folder.entries.end(), [&](const TreeEntry &entry) {
            return entry.kind() == kind && entry.name() == name;
        });
    if (it == folder.entries.end())
        return false;
    folder.entries.erase(it);
    return true;
}

bool deleteEntry(CFolder &root, std::string_view path, EntryKind kind, std::string_view operation)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return removeFirstEntry(root, path, kind);
    CFolder *parent = nullptr;
    try {
        parent = &findFolder(root, path.substr(0, slash));
    } catch (const KvrError &error) {
        std::string text = "error (";
        text += error.what();
        text += "(in ";
        text += operation;
        text += ' ';
        text += path;
        text += " )";
        throw KvrError(text);
    }
    return removeFirstEntry(*parent, path.substr(slash + 1), kind);
}

} // namespace

bool deleteSection(CFolder &root, std::string_view path)
{
    return deleteEntry(root, path, EntryKind::Section, "deleteSection");
}

bool deleteFolder(CFolder &root, std::string_view path)
{
    return deleteEntry(root, path, EntryKind::Folder, "deleteFolder");
}

void copySectionInto(CSection &target, const CSection &source)
{
    CSection copy = source;
    target = std::move(copy);
}

void copyFolderInto(CFolder &target, const CFolder &source)
{
    // The copy is complete before the target changes, so neither may contain the other.
    CFolder copy = source;
    target = std::move(copy);
}

bool hasNode(const CFolder &root, std::string_view path, EntryKind kind)
{
    return kind == EntryKind::Folder ? hasFolder(root, path) : hasSection(root, path);
}

std::optional<std::string> makeUniqueName(const CFolder &root, std::string_view wantedPath,
                                          EntryKind kind)
{
    if (!hasNode(root, wantedPath, kind))
        return std::string(wantedPath);
    for (int n = 1; n <= kMaxNameNumber; ++n) {
        std::string candidate(wantedPath);
        candidate += " (" + std::to_string(n) + ")";
        if (!hasNode(root, candidate, kind))
            return candidate;
    }
    return std::nullopt;
}

std::string_view parentPathOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

std::string_view lastNameOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string childPath(std::string_view parentPath, std::string_view name)
{
    std::string path(parentPath);
    if (!path.empty())
        path += '/';
    path += name;
    return path;
}

bool isWithinFolder(const CFolder &folder, const CFolder &node)
{
    // A stack of its own: folders nest to any depth.
    std::vector<const CFolder *> pending { &folder };
    while (!pending.empty()) {
        const CFolder *current = pending.back();
        pending.pop_back();
        if (current == &node)
            return true;
        for (const TreeEntry &entry : current->entries) {
            if (entry.kind() == EntryKind::Folder)
                pending.push_back(&entry.folder());
        }
    }
    return false;
}

std::string nodeNameFrom(std::string_view text)
{
    // "/" and '"' are below every trail byte, so they always stand for themselves. A '"'
    // would end the name early in the answer-history log's record line.
    std::string name;
    for (const char c : text) {
        if (c == '/')
            name += kFullWidthSlash;
        else if (c == '"')
            name += kFullWidthQuote;
        else
            name += c;
    }
    return name;
}

} // namespace kvr
