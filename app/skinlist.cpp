#include "app/skinlist.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

bool hasIniExtension(std::string_view name)
{
    // ".ini" alone is a hidden file's name, not a skin.
    return name.size() > 4 && cp932::equalsIgnoreCase(name.substr(name.size() - 4), ".ini");
}

// The last part of a path. Only '/' separates on this side (a CP932 trail byte can be a
// backslash), as for parentFolder.
std::string_view fileNameOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of(env::kPathSeparator == '/' ? "/" : "\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace

std::string skinFolderOf(std::string_view skinPath, std::string_view programFolder)
{
    const std::string parent = env::parentFolder(skinPath);
    const std::string folder = parent.empty() ? std::string(".") : parent;
    return isDirectory(folder) ? folder : env::joinPath(programFolder, folder);
}

std::vector<std::string> skinFilesBeside(std::string_view skinPath, std::string_view programFolder)
{
    const std::string folder = skinFolderOf(skinPath, programFolder);
    std::vector<std::string> names = regularFilesIn(folder);
    std::erase_if(names, [](const std::string &name) { return !hasIniExtension(name); });
    for (std::string &name : names)
        name = env::joinPath(folder, name);
    return names;
}

int SkinList::rowOf(std::string_view skinPath, std::string_view programFolder) const
{
    // A relative skin path names the same file as the row found under the program folder.
    if (skinFolderOf(skinPath, programFolder) != folder)
        return -1;
    const auto found = std::find(names.begin(), names.end(), fileNameOf(skinPath));
    return found == names.end() ? -1 : int(found - names.begin());
}

SkinList skinListOf(std::string_view skinPath, std::string_view programFolder)
{
    SkinList list;
    list.folder = skinFolderOf(skinPath, programFolder);
    list.paths = skinFilesBeside(skinPath, programFolder);
    for (const std::string &path : list.paths)
        list.names.emplace_back(fileNameOf(path));
    return list;
}

} // namespace kvr
