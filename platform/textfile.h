#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Line-oriented text files as the programs store them: CP932, CR LF line ends.
// Paths are CP932 like every other text; they are converted to the native file-name
// encoding here.
namespace kvr {

// The native (on Linux UTF-8) file name for a CP932 path.
std::string nativePath(std::string_view cp932Path);

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(std::string_view path);

// The whole content of a file in one shared block that views into it can keep alive, or
// nothing when it cannot be opened or read. A large file's block is a mapping of its own in
// large pages where the system has them: filling small pages one by one was most of a fresh
// process's cost of reading it.
struct SharedText
{
    std::shared_ptr<const char[]> bytes;
    std::size_t size = 0;
    std::string_view view() const { return { bytes.get(), size }; }
};
std::optional<SharedText> readWholeFileShared(std::string_view path);
// Text already in memory, copied into a block of its own.
SharedText sharedCopy(std::string_view text);

bool fileExists(std::string_view path);
bool isDirectory(std::string_view path);

// The names of the regular files in a folder (links followed), sorted by their bytes, in
// CP932. Names CP932 cannot hold are left out, like a path the file dialogs refuse; a
// folder that cannot be read has none.
std::vector<std::string> regularFilesIn(std::string_view folder);

// Splits text into lines the way a text-mode reader does: a line ends at LF, which is
// removed together with one CR before it; a last line without LF is still a line, and an
// empty text has no lines. Lines may be of any length.
class CLineSplitter
{
public:
    explicit CLineSplitter(std::string_view text)
        : m_text(text)
    {
    }
    bool next(std::string_view &line);

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Reads a file line by line (see CLineSplitter). The views returned by next() stay valid
// as long as the reader lives.
class CLineReader
{
public:
    bool open(std::string_view path);
    bool next(std::string_view &line) { return m_splitter.next(line); }

private:
    std::string m_content;
    CLineSplitter m_splitter { std::string_view() };
};

// Reads a file line by line (see CLineSplitter) through blocks of a bounded size instead of
// holding the whole file. Every line lies within one block, block() of the line just read.
// A caller that keeps a copy of that pointer keeps the block and so the line's text; else
// the block is reused for what follows, and a view is valid only until the next call.
class CBlockLineReader
{
public:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    CBlockLineReader() = default;
    ~CBlockLineReader();
    CBlockLineReader(const CBlockLineReader &) = delete;
    CBlockLineReader &operator=(const CBlockLineReader &) = delete;

    // False unless path names a regular file that can be opened for reading.
    bool open(std::string_view path);
    bool next(std::string_view &line)
    {
        while (!m_splitter.next(line)) {
            if (!refill())
                return false;
        }
        return true;
    }
    const std::shared_ptr<const char[]> &block() const { return m_shared; }
    std::size_t blockSize() const { return m_capacity; }
    // True when reading stopped at an error rather than at the end of the file.
    bool failed() const { return m_failed; }

private:
    bool refill();

    std::FILE *m_file = nullptr;
    std::shared_ptr<char[]> m_block;
    std::shared_ptr<const char[]> m_shared; // the same block, as handed out
    std::size_t m_capacity = 0;
    std::size_t m_filled = 0; // bytes read into the block
    std::size_t m_complete = 0; // bytes of whole lines at its front
    bool m_atEnd = false;
    bool m_failed = false;
    CLineSplitter m_splitter { std::string_view() };
};

// Collects lines with CR LF ends for a whole-file write.
class CLineWriter
{
public:
    void line(std::string_view text)
    {
        m_buffer.append(text);
        m_buffer.append("\r\n", 2);
    }
    void raw(std::string_view text) { m_buffer.append(text); }
    const std::string &contents() const { return m_buffer; }
    std::string take() { return std::move(m_buffer); }
    void reserve(std::size_t bytes) { m_buffer.reserve(bytes); }

private:
    std::string m_buffer;
};

// Replaces the file at path with contents so that a reader sees either the old or the new
// file, never a mix: a temporary file in the same folder, every write checked, synced,
// renamed over the old one, the folder synced. False on any failure, and then the old file
// is untouched.
// It first removes what earlier saves of the same file left behind when they were killed
// mid-write (see removeStaleTemporaries).
bool replaceFileAtomically(std::string_view path, std::string_view contents);
// The same for contents given as pieces, written in order: a large file need not be
// gathered into one buffer first.
bool replaceFileAtomically(std::string_view path, std::span<const std::string_view> pieces);

// Removes the temporary files that replaceFileAtomically made for path and that no writer
// can still be using: those of processes that no longer run, and any of them untouched for
// a day (the process number may have been given to another process since). Files of this
// process and of other running ones are kept, as is every file not named the way the
// writer names its temporaries.
void removeStaleTemporaries(std::string_view path);

} // namespace kvr
