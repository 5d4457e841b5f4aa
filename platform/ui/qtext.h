#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

// The one place where CP932 text becomes a QString and back. Every widget that shows or
// takes text goes through these; nothing else converts.
namespace kvr::ui {

// CP932 bytes to a QString; bytes that are not CP932 show as U+FFFD.
QString qtext(std::string_view cp932);

// A CP932 path as the file name Qt opens: the machine's own bytes (a folder named with a
// character CP932 cannot hold included), not its CP932 text.
QString qpath(std::string_view cp932Path);

// A QString to CP932; characters CP932 cannot hold become "?". For texts the learner
// types into a judged field, where a "?" simply does not match.
std::string cp932(const QString &text);

// A QString to CP932, or nothing when any character cannot be held. For names and texts
// that are stored: the caller refuses them with a clear message instead of storing "?".
std::optional<std::string> cp932Exact(const QString &text);

// The system's own texts are UTF-8 literals in the source; this is the QString of one.
inline QString utext(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace kvr::ui
