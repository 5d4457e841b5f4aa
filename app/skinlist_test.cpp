#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "app/skinlist.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

struct ListCase
{
    const char *name;
    std::vector<std::string> files; // below the skin folder; a trailing '/' makes a folder
    std::vector<std::string> listed; // the names the list shows, in order
};

void make(const TempFolder &folder, const std::string &entry)
{
    if (entry.ends_with('/'))
        ASSERT_TRUE(env::makeFolders(folder.file(entry.substr(0, entry.size() - 1))));
    else
        std::ofstream(nativePath(folder.file(entry)), std::ios::binary) << "[Design]\r\n";
}

TEST(SkinList, ShowsTheIniFilesOfTheSkinFolderByName)
{
    const std::string hyou = cp932::text("表.ini"); // trail byte 0x5C
    const ListCase cases[] = {
        { "no skins", { "readme.txt", "sub/" }, {} },
        { "sorted by bytes, any case of the extension",
          { "b.ini", "A.INI", "c.Ini", "default.ini" },
          { "A.INI", "b.ini", "c.Ini", "default.ini" } },
        { "odd names",
          { ".ini", "x.ini.bak", "x.inix", "with blank.ini", hyou },
          { "with blank.ini", hyou } },
        { "a skin folder without its INI file",
          { "blue.ini/", "blue/", "green.ini" },
          { "green.ini" } },
    };
    for (const ListCase &row : cases) {
        TempFolder folder;
        for (const std::string &file : row.files)
            make(folder, file);
        const SkinList list = skinListOf(folder.file("default.ini"), "/nonexistent");
        EXPECT_EQ(list.names, row.listed) << row.name;
        ASSERT_EQ(list.paths.size(), row.listed.size()) << row.name;
        for (std::size_t i = 0; i < list.paths.size(); ++i)
            EXPECT_EQ(list.paths[i], folder.file(row.listed[i])) << row.name;
    }
}

TEST(SkinList, LeavesOutANameCp932CannotHold)
{
    TempFolder folder;
    folder.put("a.ini", "");
    // Written by its native (UTF-8) name: no CP932 path reaches it.
    std::ofstream(std::filesystem::path(folder.path()) / "\xF0\x9F\x98\x80.ini") << "";
    std::ofstream(std::filesystem::path(folder.path()) / "\xED\x95\x9C.ini") << "";
    EXPECT_EQ(skinListOf(folder.file("a.ini"), "/nonexistent").names,
              std::vector<std::string> { "a.ini" });
}

TEST(SkinList, AMissingFolderIsLookedForUnderTheProgramFolderElseListsNothing)
{
    TempFolder program;
    program.put("skin-x/blue.ini", "");
    const std::string inProgram = program.file("skin-x");
    struct Row
    {
        std::string skinPath;
        std::string folder;
        std::vector<std::string> names;
    } rows[] = {
        { "skin-x/default.ini", inProgram, { "blue.ini" } },
        { "no-such-folder/x.ini", program.file("no-such-folder"), {} },
        { "/no/such/folder/x.ini", program.file("/no/such/folder"), {} },
    };
    for (const Row &row : rows) {
        const SkinList list = skinListOf(row.skinPath, program.path());
        EXPECT_EQ(list.folder, row.folder) << row.skinPath;
        EXPECT_EQ(list.names, row.names) << row.skinPath;
    }
}

TEST(SkinList, TheRowOfTheSkinPath)
{
    TempFolder folder;
    folder.put("a.ini", "");
    folder.put("b.ini", "");
    TempFolder program;
    program.put("skin-y/b.ini", "");
    const SkinList list = skinListOf(folder.file("a.ini"), "/nonexistent");
    const SkinList underProgram = skinListOf("skin-y/b.ini", program.path());
    struct Row
    {
        const SkinList *list;
        std::string skinPath;
        int row;
    } rows[] = {
        { &list, folder.file("a.ini"), 0 },
        { &list, folder.file("b.ini"), 1 },
        { &list, folder.file("B.ini"), -1 }, // names match byte for byte
        { &list, folder.file("c.ini"), -1 },
        { &list, program.file("skin-y/b.ini"), -1 }, // another folder
        { &list, "", -1 },
        { &underProgram, "skin-y/b.ini", 0 }, // relative, found under the program folder
        { &underProgram, program.file("skin-y/b.ini"), 0 },
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.list->rowOf(row.skinPath, program.path()), row.row) << row.skinPath;
}

} // namespace
} // namespace kvr
