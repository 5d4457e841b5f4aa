#include "platform/textfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>

#include "platform/cp932.h"
#include "platform/savestage.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>
#endif

namespace kvr {

namespace {

bool isAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

SaveStageHook g_saveStageHook = nullptr;
void *g_saveStageContext = nullptr;

void reach(SaveStage stage)
{
    if (g_saveStageHook)
        g_saveStageHook(stage, g_saveStageContext);
}

} // namespace

void setSaveStageHook(SaveStageHook hook, void *context)
{
    g_saveStageHook = hook;
    g_saveStageContext = context;
}

std::string nativePath(std::string_view cp932Path)
{
#ifdef _WIN32
    return std::string(cp932Path);
#else
    return isAscii(cp932Path) ? std::string(cp932Path) : cp932::toNativePath(cp932Path);
#endif
}

std::optional<std::string> readWholeFile(std::string_view path)
{
    // A folder opens for reading on POSIX and reports a nonsense size: refuse anything but a
    // regular file before trusting ftell.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(nativePath(path)), error))
        return std::nullopt;
    std::FILE *file = std::fopen(nativePath(path).c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string content;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0)
            content.reserve(static_cast<std::size_t>(size));
        std::fseek(file, 0, SEEK_SET);
    }
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return content;
}

SharedText sharedCopy(std::string_view text)
{
    std::shared_ptr<char[]> bytes = std::make_shared_for_overwrite<char[]>(text.size());
    std::memcpy(bytes.get(), text.data(), text.size());
    return SharedText { std::move(bytes), text.size() };
}

#ifdef _WIN32
std::optional<SharedText> readWholeFileShared(std::string_view path)
{
    const std::optional<std::string> text = readWholeFile(path);
    if (!text)
        return std::nullopt;
    return sharedCopy(*text);
}
#else
namespace {

// Below this, the heap's pages are as good.
constexpr std::size_t kClaimedAtOnce = 1 << 20;

std::shared_ptr<char[]> claimBlock(std::size_t size)
{
    if (size < kClaimedAtOnce)
        return std::make_shared_for_overwrite<char[]>(size);
    void *memory =
        ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return std::make_shared_for_overwrite<char[]>(size);
    // Large pages where the system allows them: a fault then brings 2 MB, not 4 kB (advice
    // only; without it the block is still one mapping).
    ::madvise(memory, size, MADV_HUGEPAGE);
    return std::shared_ptr<char[]>(static_cast<char *>(memory),
                                   [size](char *block) { ::munmap(block, size); });
}

} // namespace

std::optional<SharedText> readWholeFileShared(std::string_view path)
{
    const int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info
    {
    };
    // Only a regular file: a folder opens too, and a pipe's size means nothing.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::size_t capacity = static_cast<std::size_t>(info.st_size) + 1; // + 1: sees the end
    std::shared_ptr<char[]> block = claimBlock(capacity);
    std::size_t filled = 0;
    for (;;) {
        if (filled == capacity) {
            // The file grew while it was read.
            std::shared_ptr<char[]> larger = claimBlock(2 * capacity);
            std::memcpy(larger.get(), block.get(), filled);
            block = std::move(larger);
            capacity *= 2;
        }
        const ssize_t got = ::read(fd, block.get() + filled, capacity - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return SharedText { std::move(block), filled };
}
#endif

bool fileExists(std::string_view path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat info;
    return ::stat(nativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}

bool isDirectory(std::string_view path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(std::string(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat info;
    return ::stat(nativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
#endif
}

std::vector<std::string> regularFilesIn(std::string_view folder)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(nativePath(folder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
#ifdef _WIN32
        names.push_back(it->path().filename().string()); // the ANSI code page already
#else
        cp932::Encoded name = cp932::fromUtf8(it->path().filename().string());
        if (name.ok())
            names.push_back(std::move(name.bytes));
#endif
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool CLineSplitter::next(std::string_view &line)
{
    if (m_pos >= m_text.size())
        return false;
    const char *begin = m_text.data() + m_pos;
    const std::size_t left = m_text.size() - m_pos;
    const void *lf = std::memchr(begin, '\n', left);
    std::size_t length;
    if (lf) {
        length = static_cast<std::size_t>(static_cast<const char *>(lf) - begin);
        m_pos += length + 1;
        // Text mode turns CR LF into LF before the line feed is removed.
        if (length > 0 && begin[length - 1] == '\r')
            --length;
    } else {
        length = left;
        m_pos = m_text.size();
    }
    line = std::string_view(begin, length);
    return true;
}

bool CLineReader::open(std::string_view path)
{
    std::optional<std::string> content = readWholeFile(path);
    if (!content)
        return false;
    m_content = std::move(*content);
    m_splitter = CLineSplitter(m_content);
    return true;
}

CBlockLineReader::~CBlockLineReader()
{
    if (m_file)
        std::fclose(m_file);
}

bool CBlockLineReader::open(std::string_view path)
{
    std::error_code error;
    if (m_file || !std::filesystem::is_regular_file(std::filesystem::path(nativePath(path)), error))
        return false;
    m_file = std::fopen(nativePath(path).c_str(), "rb");
    return m_file != nullptr;
}

// Moves the unfinished last line to the front of a block (the same one when nobody kept it)
// and reads on until at least one more line is complete or the file ends.
bool CBlockLineReader::refill()
{
    if (m_atEnd || !m_file)
        return false;
    const std::size_t kept = m_filled - m_complete;
    // Held here twice (m_block, m_shared) and nowhere else: nobody views its lines.
    const bool reusable = m_block && m_block.use_count() == 2 && kept < m_capacity;
    if (reusable) {
        std::memmove(m_block.get(), m_block.get() + m_complete, kept);
    } else {
        const std::size_t capacity = std::max(kBlockSize, 2 * kept);
        std::shared_ptr<char[]> fresh = std::make_shared_for_overwrite<char[]>(capacity);
        if (kept > 0)
            std::memcpy(fresh.get(), m_block.get() + m_complete, kept);
        m_block = std::move(fresh);
        m_shared = m_block;
        m_capacity = capacity;
    }
    m_filled = kept;
    m_complete = 0;
    for (;;) {
        if (m_filled == m_capacity) {
            // A line longer than the block: a larger one takes it whole.
            std::shared_ptr<char[]> larger = std::make_shared_for_overwrite<char[]>(2 * m_capacity);
            std::memcpy(larger.get(), m_block.get(), m_filled);
            m_block = std::move(larger);
            m_shared = m_block;
            m_capacity *= 2;
        }
        char *const data = m_block.get();
        const std::size_t got = std::fread(data + m_filled, 1, m_capacity - m_filled, m_file);
        if (got == 0) {
            m_atEnd = true;
            m_failed = std::ferror(m_file) != 0;
            m_complete = m_filled;
            m_splitter = CLineSplitter(std::string_view(data, m_complete));
            return m_complete > 0;
        }
        const std::string_view added(data + m_filled, got);
        m_filled += got;
        const std::size_t lastEnd = added.rfind('\n');
        if (lastEnd != std::string_view::npos) {
            m_complete = static_cast<std::size_t>(added.data() - data) + lastEnd + 1;
            m_splitter = CLineSplitter(std::string_view(data, m_complete));
            return true;
        }
    }
}

#ifdef _WIN32

void removeStaleTemporaries(std::string_view)
{
    // The one temporary name is reused by every save, so nothing accumulates.
}

bool replaceFileAtomically(std::string_view path, std::span<const std::string_view> pieces)
{
    const std::string target(path);
    const std::string temporary = target + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    reach(SaveStage::Created);
    bool ok = true;
    for (const std::string_view contents : pieces) {
        std::size_t done = 0;
        while (ok && done < contents.size()) {
            DWORD written = 0;
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1 << 20));
            ok = WriteFile(file, contents.data() + done, chunk, &written, nullptr) && written > 0;
            done += written;
        }
    }
    if (ok)
        reach(SaveStage::Written);
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok)
        reach(SaveStage::Flushed);
    ok = ok
        && MoveFileExA(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileA(temporary.c_str());
    else
        reach(SaveStage::Renamed);
    return ok;
}

#else

namespace {

// The pieces in order, gathered into few system calls.
bool writeAll(int fd, std::span<const std::string_view> pieces)
{
    constexpr std::size_t kBatch = 512;
    std::size_t next = 0;
    std::size_t offset = 0; // into pieces[next], of a piece written in part
    while (next < pieces.size()) {
        iovec batch[kBatch];
        int count = 0;
        for (std::size_t k = next; k < pieces.size() && count < static_cast<int>(kBatch); ++k) {
            const std::size_t skip = k == next ? offset : 0;
            if (pieces[k].size() == skip)
                continue;
            batch[count].iov_base = const_cast<char *>(pieces[k].data() + skip);
            batch[count].iov_len = pieces[k].size() - skip;
            ++count;
        }
        if (count == 0)
            return true;
        ssize_t n = ::writev(fd, batch, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        // Step over what was written, piece by piece.
        auto left = static_cast<std::size_t>(n);
        while (next < pieces.size() && left >= pieces[next].size() - offset) {
            left -= pieces[next].size() - offset;
            offset = 0;
            ++next;
        }
        offset += left;
    }
    return true;
}

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void syncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a save really replaces: a data file reached through a symbolic link (a log kept
// in a synced folder) is the link's target, replaced in its own folder, so the link stays a
// link. Relative links are taken from the link's folder; a loop gives up after 40 steps.
std::string linkTarget(std::string path)
{
    for (int step = 0; step < 40; ++step) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string next(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1,
                         '\0');
        const ssize_t n = ::readlink(path.c_str(), next.data(), next.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= next.size())
            return path;
        next.resize(static_cast<std::size_t>(n));
        path = next.front() == '/' ? next : folderOf(path) + "/" + next;
    }
    return path;
}

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr time_t kAbandonedAfterSeconds = 24 * 60 * 60;

std::string temporaryPrefix(const std::string &nativeTarget)
{
    const std::size_t slash = nativeTarget.rfind('/');
    const std::string name =
        slash == std::string::npos ? nativeTarget : nativeTarget.substr(slash + 1);
    return name + std::string(kTemporaryMark);
}

// The writer's process number from "<pid>-<counter>", or 0 when the rest is not that.
pid_t writerOf(std::string_view rest)
{
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size())
        return 0;
    const auto allDigits = [](std::string_view digits) {
        return digits.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(rest.substr(0, dash)) || !allDigits(rest.substr(dash + 1)) || dash > 9)
        return 0;
    return static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
}

bool isRunning(pid_t pid)
{
    // EPERM: it runs, under another user.
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

bool isStaleTemporary(const std::string &folder, const std::string &name, std::size_t prefixSize)
{
    const pid_t writer = writerOf(std::string_view(name).substr(prefixSize));
    if (writer <= 0 || writer == ::getpid())
        return false;
    struct stat info;
    if (::lstat((folder + "/" + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return !isRunning(writer) || ::time(nullptr) - info.st_mtime > kAbandonedAfterSeconds;
}

} // namespace

void removeStaleTemporaries(std::string_view path)
{
    const std::string target = linkTarget(nativePath(path));
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> stale;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.starts_with(prefix) && isStaleTemporary(folder, name, prefix.size()))
            stale.push_back(name);
    }
    ::closedir(dir);
    for (const std::string &name : stale)
        ::unlink((folder + "/" + name).c_str());
}

bool replaceFileAtomically(std::string_view path, std::span<const std::string_view> pieces)
{
    static std::atomic<unsigned> counter { 0 };
    const std::string target = linkTarget(nativePath(path));
    // A save killed mid-write leaves its temporary file; the next save clears it away.
    removeStaleTemporaries(path);
    const std::string temporary = target + std::string(kTemporaryMark) + std::to_string(::getpid())
        + "-" + std::to_string(counter.fetch_add(1));

    // Keep the permissions of the file being replaced; a new file gets the umask's.
    struct stat old;
    const bool hadOld = ::stat(target.c_str(), &old) == 0;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          hadOld ? (old.st_mode & 07777) : 0666);
    if (fd < 0)
        return false;
    reach(SaveStage::Created);
    bool ok = writeAll(fd, pieces);
    if (ok)
        reach(SaveStage::Written);
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        reach(SaveStage::Flushed);
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    reach(SaveStage::Renamed);
    syncFolder(folderOf(target));
    return true;
}

#endif

bool replaceFileAtomically(std::string_view path, std::string_view contents)
{
    const std::string_view whole[] = { contents };
    return replaceFileAtomically(path, whole);
}

} // namespace kvr
