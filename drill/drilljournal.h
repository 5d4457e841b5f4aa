#pragma once

#include <string>
#include <utility>
#include <vector>

#include "drill/drillports.h"
#include "history/answerjournal.h"

namespace kvr {

// The journal file beside the history log, as the drill's journal port.
class CFileAnswerJournal final : public IAnswerJournal
{
public:
    explicit CFileAnswerJournal(std::string path)
        : m_path(std::move(path))
    {
    }
    bool append(const std::vector<JournalEntry> &entries) override
    {
        return appendJournal(m_path, entries);
    }

private:
    std::string m_path;
};

} // namespace kvr
