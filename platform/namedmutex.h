#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/filelock.h"

namespace kvr {

// The marker that a drill is running: whoever starts a drill holds it, and the editor
// refuses row changes to the collection the study program last selected while it exists.
constexpr std::string_view kInUseMarkerName = "USE_KVR_DATABASE";

// The in-use marker of the database at databasePath: a marker file in the database's own
// folder, so that the study program and the editor see each other whatever runtime folder
// each was given (su, cron and some launchers give different ones). Pass it to acquire.
std::string inUseMarkerBeside(const std::string &databasePath);

// A system-wide marker by name (or, for a name holding '/', a marker file at that path). Acquire
// fails while an object of that name exists, whoever holds it; the object vanishes when its holder
// closes it or dies.
class CNamedMutex
{
public:
    CNamedMutex() = default;
    ~CNamedMutex();
    CNamedMutex(const CNamedMutex &) = delete;
    CNamedMutex &operator=(const CNamedMutex &) = delete;

    bool acquire(const std::string &name);
    void release();
    void close();
    bool isHeld() const { return m_createdHere; }

private:
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    std::unique_ptr<CFileLock> m_lock;
#endif
    bool m_createdHere = false;
};

} // namespace kvr
