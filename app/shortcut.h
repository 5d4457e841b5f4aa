#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

// The shortcut dialog's choices.
struct ShortcutChoice
{
    int count = 0;
    bool speedReply = false;
    bool worstFirst = false;
};

// The count slider of a collection with questionCount questions: 1 … min(count, 100),
// starting at 20 within that range.
struct ShortcutSlider
{
    int minimum = 1;
    int maximum = 1;
    int initial = 1;
    bool operator==(const ShortcutSlider &) const = default;
};
ShortcutSlider shortcutSlider(int questionCount);
// "１回あたりの問題数 (1-%d)" with the collection's question count (CP932).
std::string shortcutCountLabel(int questionCount);

// The program's arguments, "/Autorun=%d%s%s /s \"%s\"" taken apart: "/Autorun=<count>",
// "/SpeedReply" and "/Worst" when chosen, "/s", then the collection path unchanged.
std::vector<std::string> shortcutArguments(const ShortcutChoice &choice,
                                           std::string_view collectionPath);

// The longest file name the file systems of the desktop take, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

// "Kvr (" + path + ").desktop" (CP932) with every "/" turned into "／". A name whose native
// (UTF-8) form is longer than maxBytes keeps as much of the path as fits, cut between
// characters, followed by "…" and eight hex digits that tell long paths apart.
std::string shortcutFileName(std::string_view collectionPath,
                             std::size_t maxBytes = kMaxFileNameBytes);

// One argument of a Desktop Entry Exec line (UTF-8), quoted when it holds a reserved
// character: inside double quotes '"', '`', '$' and '\' get a backslash; '%' is doubled.
// The string escapes of the value are not applied yet.
std::string quoteExecArgument(std::string_view utf8);
// A string value of a Desktop Entry (UTF-8) with its escapes: "\\", "\n", "\t", "\r", and
// "\s" for blanks at either end. False (in ok) for other control characters, which no
// entry can hold.
std::string escapeDesktopValue(std::string_view utf8, bool &ok);

// The content of the desktop file that starts a drill of one collection.
struct DesktopShortcut
{
    std::string programPath; // native (UTF-8), absolute
    std::string collectionPath; // CP932
    ShortcutChoice choice;
    std::string icon = "org.example.kelvora.kvr"; // the installed package icon
};
// UTF-8 text of the Desktop Entry; false in ok when a value cannot be written.
std::string desktopEntryText(const DesktopShortcut &shortcut, bool &ok);

// Writes the desktop file into desktopFolder (CP932), creating the folder when it is
// missing, under shortcutFileName (cut to the folder's name limit), replacing an existing
// file atomically, executable (0755). Returns the file's path (CP932), or the empty text on
// any failure.
std::string writeDesktopShortcut(const std::string &desktopFolder, const DesktopShortcut &shortcut);

// "%s へのショートカットをデスクトップに作成しました。\n\n(%s)" and
// "ショートカットの作成に失敗しました。" followed by the desktop folder it was to go to, so the
// learner can see where (CP932).
std::string shortcutCreatedMessage(std::string_view collectionPath, std::string_view filePath);
std::string shortcutFailedMessage(std::string_view desktopFolder);

} // namespace kvr
