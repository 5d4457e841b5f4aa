// Writing and reading the export files of single collections and folders.
#include "db/exportfile.h"

#include <vector>

#include "db/treeops.h"
#include "platform/cp932.h"
#include "platform/error.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

constexpr std::string_view kSectionFileTitle = "# KvrEditor SectionExportFile (.kve) ";
constexpr std::string_view kFolderFileTitle = "# KvrEditor FolderExportFile (.kvf) ";
constexpr std::string_view kFileVersion = "v1";
constexpr std::string_view kPathLine = "# path = ";
constexpr std::string_view kLastPreambleLine = "# ";

const TreeEntry *firstTopLevel(const CQuestionDatabase &database, EntryKind kind)
{
    for (const TreeEntry &entry : database.root.entries) {
        if (entry.kind() == kind)
            return &entry;
    }
    return nullptr;
}

} // namespace

CQuestionDatabase exportDatabaseOf(const CQuestionDatabase &database, std::string_view nodePath,
                                   EntryKind kind)
{
    CQuestionDatabase file;
    const bool folder = kind == EntryKind::Folder;
    file.preamble.push_back(std::string(folder ? kFolderFileTitle : kSectionFileTitle)
                            + std::string(kFileVersion));
    file.preamble.push_back(std::string(kPathLine) + std::string(nodePath));
    file.preamble.emplace_back(kLastPreambleLine);
    if (folder)
        copyFolderInto(file.root.addFolder(), findFolder(database.root, nodePath));
    else
        copySectionInto(file.root.addSection(), findSection(database.root, nodePath));
    return file;
}

void exportNode(const CQuestionDatabase &database, std::string_view nodePath,
                std::string_view filePath, EntryKind kind)
{
    const CQuestionDatabase file = exportDatabaseOf(database, nodePath, kind);
    if (!writeDatabase(file, filePath))
        throw KvrError(cp932::text("ファイルの作成に失敗しました…。"));
}

std::optional<std::string> importNode(CQuestionDatabase &database, std::string_view filePath,
                                      EntryKind kind, std::string_view targetFolder)
{
    CQuestionDatabase file;
    if (!readDatabase(file, filePath))
        return std::nullopt;
    const TreeEntry *imported = firstTopLevel(file, kind);
    if (!imported)
        return std::nullopt;
    CFolder *target = &database.root;
    if (!targetFolder.empty()) {
        if (!hasFolder(database.root, targetFolder))
            return std::nullopt;
        target = &findFolder(database.root, targetFolder);
    }
    // A hand-made file may name its node with "/", which no path could reach.
    const std::string name = nodeNameFrom(imported->name());
    std::optional<std::string> path =
        makeUniqueName(database.root, childPath(targetFolder, name), kind);
    if (!path)
        return std::nullopt;
    TreeEntry entry = *imported;
    const std::string newName(lastNameOf(*path));
    if (kind == EntryKind::Folder)
        entry.folder().name = newName;
    else
        entry.section().name = newName;
    target->entries.push_back(std::move(entry));
    return path;
}

bool importSection(CQuestionDatabase &database, std::string_view filePath,
                   std::string_view targetFolder)
{
    return importNode(database, filePath, EntryKind::Section, targetFolder).has_value();
}

bool importFolder(CQuestionDatabase &database, std::string_view filePath,
                  std::string_view targetFolder)
{
    return importNode(database, filePath, EntryKind::Folder, targetFolder).has_value();
}

std::optional<EntryKind> importKindOf(std::string_view filePath)
{
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < filePath.size(); pos += cp932::charLength(filePath, pos))
        starts.push_back(pos);
    if (starts.size() < 3)
        return std::nullopt;
    const std::string_view last = filePath.substr(starts[starts.size() - 3]);
    if (last == exportExtension(EntryKind::Folder))
        return EntryKind::Folder;
    if (last == exportExtension(EntryKind::Section))
        return EntryKind::Section;
    return std::nullopt;
}

std::string_view exportExtension(EntryKind kind)
{
    return kind == EntryKind::Folder ? "kvf" : "kve";
}

std::string proposedExportFileName(std::string_view nodeName)
{
    // The three are single bytes below every trail byte, so each stands for itself.
    std::string name;
    for (std::size_t pos = 0; pos < nodeName.size(); ++pos) {
        switch (nodeName[pos]) {
        case '<':
            name += cp932::text("＜");
            break;
        case '>':
            name += cp932::text("＞");
            break;
        case ',':
            name += cp932::text("，");
            break;
        default:
            name += nodeName[pos];
        }
    }
    return name;
}

} // namespace kvr
