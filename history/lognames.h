#pragma once

#include <string>
#include <string_view>

namespace kvr {

// The names learners and records have in the answer-history log: what the reader gives back
// for what the writer writes. The reader ends a record's name at its first '"', a line end
// splits a line, and a learner name ending in a lone lead byte would swallow the closing
// "]": such names are stored with '"' as the full-width "＂" and without LF or that last
// byte. Look-ups go through the same form, so a collection whose name still holds a
// '"' (an older database) finds its records.
//
// Each returns name itself when it needs no change, else the stored form in storage.
std::string_view logSectionKey(std::string_view name, std::string &storage);
std::string_view logLearnerKey(std::string_view name, std::string &storage);

inline std::string logSectionName(std::string_view name)
{
    std::string storage;
    return std::string(logSectionKey(name, storage));
}

inline std::string logLearnerName(std::string_view name)
{
    std::string storage;
    return std::string(logLearnerKey(name, storage));
}

} // namespace kvr
