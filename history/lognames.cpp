#include "history/lognames.h"

#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr std::string_view kFullWidthQuote = "\xFA\x57"; // "＂"

// Only LF ends a line for the reader; a CR inside a name reads back as it was.
bool isLineEnd(char c)
{
    return c == '\n';
}

} // namespace

std::string_view logSectionKey(std::string_view name, std::string &storage)
{
    // '"' and LF are below every trail byte, so each stands for itself.
    if (name.find_first_of("\"\n") == std::string_view::npos)
        return name;
    storage.clear();
    for (const char c : name) {
        if (c == '"')
            storage += kFullWidthQuote;
        else if (!isLineEnd(c))
            storage += c;
    }
    return storage;
}

std::string_view logLearnerKey(std::string_view name, std::string &storage)
{
    std::string_view kept = name;
    if (name.find('\n') != std::string_view::npos) {
        storage.clear();
        for (const char c : name) {
            if (!isLineEnd(c))
                storage += c;
        }
        kept = storage;
    }
    std::size_t pos = 0;
    while (pos < kept.size())
        pos += cp932::isLeadByte(kept[pos]) ? 2 : 1;
    if (pos <= kept.size())
        return kept;
    storage.assign(kept.substr(0, kept.size() - 1));
    return storage;
}

} // namespace kvr
