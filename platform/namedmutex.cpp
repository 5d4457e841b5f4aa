#include "platform/namedmutex.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include "platform/environment.h"
#include "platform/filelock.h"
#include "platform/textfile.h"
#include "platform/textformat.h"
#endif

namespace kvr {

CNamedMutex::~CNamedMutex()
{
    close();
}

#ifdef _WIN32

// Named mutexes are machine-wide per session there already.
std::string inUseMarkerBeside(const std::string &)
{
    return std::string(kInUseMarkerName);
}

bool CNamedMutex::acquire(const std::string &name)
{
    close();
    HANDLE existing = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name.c_str());
    if (existing) {
        CloseHandle(existing);
        return false;
    }
    m_handle = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!m_handle)
        return false;
    m_createdHere = true;
    return true;
}

void CNamedMutex::release()
{
    if (m_createdHere && m_handle)
        ReleaseMutex(static_cast<HANDLE>(m_handle));
}

void CNamedMutex::close()
{
    release();
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
    m_createdHere = false;
}

#else

namespace {

// The name becomes part of a file name: keep plain characters, escape the rest.
std::string lockFileName(const std::string &name)
{
    std::string file = "kelvora-mutex-";
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '_'
            || b == '-') {
            file.push_back(c);
        } else {
            file += formatText("%%%02X", static_cast<unsigned>(b));
        }
    }
    return file + ".lock";
}

// A marker beside the data when its folder can take the file, else (a read-only data
// folder, where nothing can be saved to clash) in the runtime folder under the same name.
std::string markerPath(const std::string &name)
{
    if (name.find('/') != std::string::npos
        && ::access(nativePath(env::parentFolder(name)).c_str(), W_OK) == 0)
        return name;
    return env::joinPath(env::runtimeFolder(), lockFileName(name));
}

} // namespace

std::string inUseMarkerBeside(const std::string &databasePath)
{
    const std::string folder = env::parentFolder(databasePath);
    return env::joinPath(folder.empty() ? "." : folder, std::string(kInUseMarkerName) + ".lock");
}

// The "object" is an exclusive flock on a file in the user's runtime folder: it exists as
// long as its holder keeps the descriptor open and vanishes with a crashed holder. The
// file itself stays; removing it would let two holders lock different inodes.
bool CNamedMutex::acquire(const std::string &name)
{
    close();
    auto lock = std::make_unique<CFileLock>(markerPath(name), CFileLock::Wait::No);
    if (!lock->locked())
        return false;
    m_lock = std::move(lock);
    m_createdHere = true;
    return true;
}

void CNamedMutex::release()
{
    // Releasing ownership does not end the object's existence; only close does.
}

void CNamedMutex::close()
{
    m_lock.reset();
    m_createdHere = false;
}

#endif

} // namespace kvr
