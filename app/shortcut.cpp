#include "app/shortcut.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr int kMaxShortcutCount = 100;
constexpr int kInitialShortcutCount = 20;

// A short fingerprint of the whole path, so that two long paths cut to the same head still
// get files of their own (FNV-1a).
std::string fingerprint(std::string_view bytes)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 16777619u;
    }
    return formatText("%08x", static_cast<unsigned>(hash));
}

bool isReservedInExec(char c)
{
    return std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos;
}

} // namespace

ShortcutSlider shortcutSlider(int questionCount)
{
    ShortcutSlider slider;
    slider.maximum = std::max(1, std::min(questionCount, kMaxShortcutCount));
    slider.initial = std::clamp(kInitialShortcutCount, slider.minimum, slider.maximum);
    return slider;
}

std::string shortcutCountLabel(int questionCount)
{
    return formatText(cp932::text("１回あたりの問題数 (1-%d)"), questionCount);
}

std::vector<std::string> shortcutArguments(const ShortcutChoice &choice,
                                           std::string_view collectionPath)
{
    std::vector<std::string> args { formatText("/Autorun=%d", choice.count) };
    if (choice.speedReply)
        args.emplace_back("/SpeedReply");
    if (choice.worstFirst)
        args.emplace_back("/Worst");
    args.emplace_back("/s");
    args.emplace_back(collectionPath);
    return args;
}

std::string shortcutFileName(std::string_view collectionPath, std::size_t maxBytes)
{
    // "/" never occurs as a trail byte of CP932, so the bytes can be replaced one by one.
    std::string body;
    for (char c : collectionPath) {
        if (c == '/')
            body += cp932::text("／");
        else
            body += c;
    }
    const std::string head = "Kvr (";
    const std::string tail = ").desktop";
    std::string name = head + body + tail;
    if (cp932::toUtf8(name).size() <= maxBytes)
        return name;

    const std::string marker = cp932::text("…") + fingerprint(collectionPath);
    std::size_t room = maxBytes - std::min(maxBytes, cp932::toUtf8(head + marker + tail).size());
    std::string kept;
    for (std::size_t pos = 0; pos < body.size();) {
        const std::size_t length = cp932::charLength(body, pos);
        const std::string character = body.substr(pos, length);
        const std::size_t bytes = cp932::toUtf8(character).size();
        if (bytes > room)
            break;
        room -= bytes;
        kept += character;
        pos += length;
    }
    return head + kept + marker + tail;
}

std::string quoteExecArgument(std::string_view utf8)
{
    const bool quote = utf8.empty() || std::any_of(utf8.begin(), utf8.end(), isReservedInExec);
    std::string result;
    if (quote)
        result += '"';
    for (char c : utf8) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            result += '\\';
        if (c == '%')
            result += '%';
        result += c;
    }
    if (quote)
        result += '"';
    return result;
}

std::string escapeDesktopValue(std::string_view utf8, bool &ok)
{
    const std::size_t first = utf8.find_first_not_of(' ');
    const std::size_t last = utf8.find_last_not_of(' ');
    std::string result;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == ' ' && (first == std::string_view::npos || i < first || i > last))
            result += "\\s";
        else if (c == '\\')
            result += "\\\\";
        else if (c == '\n')
            result += "\\n";
        else if (c == '\t')
            result += "\\t";
        else if (c == '\r')
            result += "\\r";
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            ok = false;
        else
            result += c;
    }
    return result;
}

std::string desktopEntryText(const DesktopShortcut &shortcut, bool &ok)
{
    ok = true;
    const std::string path = cp932::toUtf8(shortcut.collectionPath);
    std::string exec = quoteExecArgument(shortcut.programPath);
    for (const std::string &arg : shortcutArguments(shortcut.choice, shortcut.collectionPath))
        exec += ' ' + quoteExecArgument(cp932::toUtf8(arg));

    std::string text = "[Desktop Entry]\n"
                       "Version=1.0\n"
                       "Type=Application\n";
    text += "Name=" + escapeDesktopValue("Kvr (" + path + ")", ok) + '\n';
    text += "Comment=" + escapeDesktopValue(path, ok) + '\n';
    text += "Exec=" + escapeDesktopValue(exec, ok) + '\n';
    text += "Icon=" + escapeDesktopValue(shortcut.icon, ok) + '\n';
    text += "Terminal=false\n";
    return text;
}

std::string shortcutCreatedMessage(std::string_view collectionPath, std::string_view filePath)
{
    return formatText(cp932::text("%s へのショートカットをデスクトップに作成しました。\n\n(%s)"),
                      std::string(collectionPath).c_str(), std::string(filePath).c_str());
}

std::string shortcutFailedMessage(std::string_view desktopFolder)
{
    return formatText(
        cp932::text("ショートカットの作成に失敗しました。\n\n(デスクトップのフォルダ：%s)"),
        std::string(desktopFolder).c_str());
}

} // namespace kvr
