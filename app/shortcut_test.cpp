#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/shortcut.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

// A string value of a Desktop Entry without its escapes.
std::string unescapeValue(std::string_view value)
{
    std::string unescaped;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            unescaped += value[i];
            continue;
        }
        const char next = ++i < value.size() ? value[i] : '\0';
        const std::string_view from = "s\\ntr", to = " \\\n\t\r";
        const std::size_t which = from.find(next);
        EXPECT_NE(which, std::string_view::npos) << "bad string escape";
        if (which != std::string_view::npos)
            unescaped += to[which];
    }
    return unescaped;
}

// Reads an Exec value back the way launchers do: the string escapes of the file first, then
// "%%", then the quoting of the arguments. Fails the test on text the rules do not allow.
std::vector<std::string> parseExec(std::string_view value)
{
    const std::string unescaped = unescapeValue(value);
    std::vector<std::string> args;
    std::string arg;
    bool inArg = false, quoted = false;
    for (std::size_t i = 0; i < unescaped.size(); ++i) {
        const char c = unescaped[i];
        if (c == '%') {
            EXPECT_EQ(unescaped[++i], '%') << "a field code";
            arg += '%';
            inArg = true;
        } else if (quoted && c == '\\') {
            const char next = unescaped[++i];
            EXPECT_NE(std::string_view("\"`$\\").find(next), std::string_view::npos);
            arg += next;
        } else if (c == '"') {
            quoted = !quoted;
            inArg = true;
        } else if (!quoted && c == ' ') {
            if (inArg)
                args.push_back(arg);
            arg.clear();
            inArg = false;
        } else {
            EXPECT_TRUE(quoted
                        || std::string_view("\t\n'\\><~|&;$*?#()`").find(c)
                            == std::string_view::npos)
                << "reserved character outside quotes";
            arg += c;
            inArg = true;
        }
    }
    EXPECT_FALSE(quoted);
    if (inArg)
        args.push_back(arg);
    return args;
}

std::string entryValue(const std::string &text, const std::string &key)
{
    const std::size_t start = text.find("\n" + key + "=");
    if (start == std::string::npos)
        return "(missing)";
    const std::size_t begin = start + key.size() + 2;
    return text.substr(begin, text.find('\n', begin) - begin);
}

bool haveValidator()
{
    return std::system("command -v desktop-file-validate >/dev/null 2>&1") == 0;
}

// desktop-file-validate's complaints, empty when it accepts the file.
std::string validate(const std::string &nativeFile)
{
    const std::string command = "desktop-file-validate '" + nativeFile + "' 2>&1";
    std::string output;
    if (FILE *pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        ::pclose(pipe);
    }
    return output;
}

TEST(Shortcut, SliderRangeAndStart)
{
    const std::pair<int, ShortcutSlider> rows[] = {
        { 150, { 1, 100, 20 } }, { 100, { 1, 100, 20 } }, { 20, { 1, 20, 20 } },
        { 7, { 1, 7, 7 } },      { 1, { 1, 1, 1 } },      { 0, { 1, 1, 1 } },
    };
    for (const auto &[count, slider] : rows)
        EXPECT_EQ(shortcutSlider(count), slider) << count;
    EXPECT_EQ(shortcutCountLabel(150), sj("１回あたりの問題数 (1-150)"));
}

TEST(Shortcut, ArgumentsInTheirOrder)
{
    EXPECT_EQ(shortcutArguments({ 20, false, false }, "a/b c"),
              (std::vector<std::string> { "/Autorun=20", "/s", "a/b c" }));
    EXPECT_EQ(shortcutArguments({ 7, true, true }, "x"),
              (std::vector<std::string> { "/Autorun=7", "/SpeedReply", "/Worst", "/s", "x" }));
}

TEST(Shortcut, FileNameTurnsSlashesIntoFullWidthSolidus)
{
    EXPECT_EQ(shortcutFileName(sj("英単語/中学１年/表")), sj("Kvr (英単語／中学１年／表).desktop"));
    EXPECT_EQ(shortcutFileName("plain"), "Kvr (plain).desktop");
}

TEST(Shortcut, LongFileNamesAreCutBetweenCharactersAndStayApart)
{
    const std::string head(200, 'a');
    for (const std::string &tail : { std::string(100, 'b'), sj(std::string(60 * 3, 'x')),
                                     sj("表ー") + std::string(90, 'z') }) {
        std::string path = sj("ア") + head + tail;
        for (std::size_t limit : { std::size_t(255), std::size_t(100), std::size_t(60) }) {
            const std::string name = shortcutFileName(path, limit);
            const std::string native = cp932::toUtf8(name);
            EXPECT_LE(native.size(), limit);
            EXPECT_GT(native.size(), limit - 3) << "as much as fits";
            EXPECT_TRUE(name.ends_with(").desktop"));
            EXPECT_EQ(cp932::fromUtf8(native).bytes, name) << "whole characters only";
            EXPECT_EQ(shortcutFileName(path, limit), name) << "the same every time";
        }
    }
    EXPECT_NE(shortcutFileName(head + "1"), shortcutFileName(head + "2"));
    EXPECT_EQ(shortcutFileName(std::string(200, 'a'), 255).size(), 214u) << "short enough";
}

TEST(Shortcut, ExecGivesEveryCollectionNameBackByteForByte)
{
    const std::string names[] = {
        "plain",
        "with blank",
        "quote \" and 'single'",
        "$HOME and `id` and \\back\\slash",
        "100% %f %%",
        sj("英単語/中学１年/表示 ソ能"),
        " leading and trailing ",
        "tab\there",
        "semi;colon & pipe | <less> ~tilde* ?#(paren)",
        "=equals",
    };
    for (const std::string &name : names) {
        for (const ShortcutChoice &choice :
             { ShortcutChoice { 20, false, false }, ShortcutChoice { 5, true, true } }) {
            DesktopShortcut shortcut { "/opt/my programs/Kvr", name, choice };
            bool ok = false;
            const std::string text = desktopEntryText(shortcut, ok);
            ASSERT_TRUE(ok) << name;
            std::vector<std::string> expected { "/opt/my programs/Kvr" };
            for (const std::string &arg : shortcutArguments(choice, name))
                expected.push_back(cp932::toUtf8(arg));
            EXPECT_EQ(parseExec(entryValue(text, "Exec")), expected) << text;
            EXPECT_EQ(unescapeValue(entryValue(text, "Comment")), cp932::toUtf8(name));
        }
    }
}

TEST(Shortcut, EntryFieldsAndWhatCannotBeWritten)
{
    DesktopShortcut shortcut { "/usr/bin/Kvr", sj(" 表\\1"), { 20, false, false } };
    bool ok = false;
    const std::string text = desktopEntryText(shortcut, ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\n"));
    EXPECT_EQ(entryValue(text, "Type"), "Application");
    EXPECT_EQ(entryValue(text, "Terminal"), "false");
    EXPECT_EQ(entryValue(text, "Comment"), "\\s表\\\\1");
    EXPECT_EQ(entryValue(text, "Name"), "Kvr ( 表\\\\1)");
    EXPECT_EQ(entryValue(text, "Exec"), "/usr/bin/Kvr /Autorun=20 /s \" 表\\\\\\\\1\"");
    EXPECT_EQ(entryValue(text, "Icon"), "org.example.kelvora.kvr");

    shortcut.collectionPath = "bell\a";
    desktopEntryText(shortcut, ok);
    EXPECT_FALSE(ok);
}

class ShortcutFileTest : public testing::Test
{
protected:
    std::string write(const std::string &collection, ShortcutChoice choice = { 20, false, false })
    {
        return writeDesktopShortcut(m_folder.path(),
                                    DesktopShortcut { "/opt/kvr/Kvr", collection, choice });
    }
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(m_folder.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempFolder m_folder;
};

TEST_F(ShortcutFileTest, AnExecutableDesktopFileThatReplacesTheOldOne)
{
    const std::string expected = m_folder / sj("Kvr (英語／Unit 1).desktop");
    writeFile(nativePath(expected), "old");
    ::chmod(nativePath(expected).c_str(), 0600);
    EXPECT_EQ(write(sj("英語/Unit 1"), { 9, true, false }), expected);
    EXPECT_EQ(files(),
              std::vector<std::string> { cp932::toUtf8(sj("Kvr (英語／Unit 1).desktop")) });
    const std::string text = readFile(nativePath(expected));
    EXPECT_EQ(entryValue(text, "Exec"), "/opt/kvr/Kvr /Autorun=9 /SpeedReply /s \"英語/Unit 1\"");
    struct stat status
    {
    };
    ASSERT_EQ(::stat(nativePath(expected).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755u);
}

TEST_F(ShortcutFileTest, AMissingDesktopFolderIsCreated)
{
    const std::string desktop = m_folder / sj("ホーム/デスクトップ");
    const std::string file = writeDesktopShortcut(desktop, { "/opt/kvr/Kvr", "x", {} });
    EXPECT_EQ(file, env::joinPath(desktop, "Kvr (x).desktop"));
    EXPECT_TRUE(fileExists(file));
}

TEST_F(ShortcutFileTest, FailuresLeaveNothingBehind)
{
    std::ofstream(nativePath(m_folder / "plain")) << "x";
    EXPECT_EQ(writeDesktopShortcut(m_folder / "plain/desk", { "/opt/kvr/Kvr", "x", {} }), "");
    EXPECT_EQ(writeDesktopShortcut("", { "/opt/kvr/Kvr", "x", {} }), "");
    std::filesystem::remove(nativePath(m_folder / "plain"));
    std::filesystem::create_directory(nativePath(m_folder / "Kvr (dir).desktop"));
    EXPECT_EQ(write("dir"), "") << "a folder of that name is not replaced";
    EXPECT_EQ(write("bell\a"), "");
    EXPECT_EQ(files().size(), 1u);
}

TEST_F(ShortcutFileTest, TheValidatorAcceptsAwkwardNames)
{
    if (!haveValidator())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    const std::string names[] = {
        "quote \" and 'single'", "$HOME `id` \\x", "100% %f",
        sj("表/ソ/能 ア"),       " blank ",        "tab\there",
        std::string(300, 'L'),
    };
    for (const std::string &name : names) {
        const std::string path = write(name, { 3, true, true });
        ASSERT_FALSE(path.empty()) << name;
        // Under a name the shell takes as it is: the check is about the content.
        const std::string check = m_folder / "check.desktop";
        writeFile(check, readFile(nativePath(path)));
        EXPECT_EQ(validate(check), "") << name;
    }
}

} // namespace
} // namespace kvr
