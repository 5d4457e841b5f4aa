#pragma once

#include <string>
#include <string_view>
#include <vector>

// Which skin files sit beside the current one: the drill window's skin menu and the options
// sheet's skin list both show them.
namespace kvr {

// The folder the skins of skinPath are looked for in: its own folder ("." for a bare name),
// or, when that is no folder, the same relative folder under the program folder, as a skin
// is loaded.
std::string skinFolderOf(std::string_view skinPath, std::string_view programFolder);

// The "*.ini" regular files (extension in any case) of skinFolderOf, sorted by name so the
// list does not depend on the order of the directory, as CP932 paths. Names CP932 cannot
// hold are left out: no CP932 path could open them.
std::vector<std::string> skinFilesBeside(std::string_view skinPath, std::string_view programFolder);

// The options sheet's skin list: the file names it shows, the paths a row stands for, and
// the row of the skin path (-1 when it names none of them).
struct SkinList
{
    std::string folder;
    std::vector<std::string> names; // CP932
    std::vector<std::string> paths;

    int rowOf(std::string_view skinPath, std::string_view programFolder) const;
};
SkinList skinListOf(std::string_view skinPath, std::string_view programFolder);

} // namespace kvr
