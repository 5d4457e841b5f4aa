#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

std::vector<std::string> split(std::string_view text)
{
    std::vector<std::string> lines;
    CLineSplitter splitter(text);
    std::string_view line;
    while (splitter.next(line))
        lines.emplace_back(line);
    return lines;
}

} // namespace

TEST(LineSplitter, ReadsLikeATextModeStream)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(split(""), Lines {});
    EXPECT_EQ(split("a"), Lines { "a" });
    EXPECT_EQ(split("a\r\n"), Lines { "a" });
    EXPECT_EQ(split("a\n\nb"), (Lines { "a", "", "b" }));
    EXPECT_EQ(split("\r\n"), Lines { "" });
    EXPECT_EQ(split("a\rb\r\r\n"), Lines { "a\rb\r" }); // only the CR of CR LF goes
    EXPECT_EQ(split(std::string("x\0y\n", 4)), Lines { std::string("x\0y", 3) });
}

TEST(LineSplitter, ReadsLinesOfAnyLength)
{
    const std::string longLine(1 << 20, 'q');
    const auto lines = split(longLine + "\r\nz");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], longLine);
}

// Lines of every length around the block size, CR LF pairs cut by a block's end, a line
// longer than a block and a last line without a line end all read as from the whole text.
TEST(BlockLineReader, ReadsLikeTheWholeTextAcrossBlocks)
{
    TempFolder folder;
    std::string text;
    for (std::size_t n = 0; text.size() < 3 * CBlockLineReader::kBlockSize; n = (n * 7 + 5) % 997)
        text += std::string(n, static_cast<char>('a' + n % 26)) + (n % 3 ? "\r\n" : "\n");
    text += std::string(CBlockLineReader::kBlockSize * 2 + 3, 'L') + "\r\nlast";
    const std::string path = folder.file("lines.txt");
    ASSERT_TRUE(replaceFileAtomically(path, text));

    CBlockLineReader reader;
    ASSERT_TRUE(reader.open(path));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    EXPECT_FALSE(reader.failed());
    EXPECT_TRUE(lines == split(text));

    CBlockLineReader empty, missing, notAFile;
    ASSERT_TRUE(replaceFileAtomically(folder.file("empty"), ""));
    ASSERT_TRUE(empty.open(folder.file("empty")));
    EXPECT_FALSE(empty.next(line));
    EXPECT_FALSE(missing.open(folder.file("none")));
    EXPECT_FALSE(notAFile.open(folder.path()));
}

// Small files come from the heap, large ones (over a megabyte) from a mapping of their own;
// both hold the bytes exactly and outlive the call. Anything but a regular file is refused
// at once, a pipe without waiting for a writer.
TEST(ReadWholeFileShared, HoldsTheExactBytesOfRegularFilesOnly)
{
    TempFolder folder;
    std::string large;
    for (int n = 0; large.size() < (3u << 20) / 2; ++n)
        large += "?\x83\x5c" + std::to_string(n) + ",answer\r\n";
    large += "last line without end";
    const std::vector<std::string> texts = { "", "one\r\ntwo", large };
    for (const std::string &text : texts) {
        ASSERT_TRUE(replaceFileAtomically(folder.file("file.txt"), text));
        const std::optional<SharedText> read = readWholeFileShared(folder.file("file.txt"));
        ASSERT_TRUE(read.has_value());
        ASSERT_TRUE(std::filesystem::remove(folder.file("file.txt")));
        EXPECT_EQ(read->size, text.size());
        EXPECT_TRUE(read->view() == text);
    }
    EXPECT_FALSE(readWholeFileShared(folder.file("missing.txt")).has_value());
    EXPECT_FALSE(readWholeFileShared(folder.path()).has_value());
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(readWholeFileShared(folder.file("pipe")).has_value());
}

// A caller that keeps a block keeps its lines; one that keeps none gets the block reused.
TEST(BlockLineReader, KeptBlocksKeepTheirLinesAndOthersAreReused)
{
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    const std::string path = folder.file("lines.txt");
    ASSERT_TRUE(replaceFileAtomically(path, text));

    CBlockLineReader reader;
    ASSERT_TRUE(reader.open(path));
    std::vector<std::shared_ptr<const char[]>> kept;
    std::vector<std::string_view> views;
    std::set<const char *> blocks;
    std::string_view line;
    for (int i = 0; reader.next(line); ++i) {
        blocks.insert(reader.block().get());
        if (i % 5000 != 0)
            continue;
        if (kept.empty() || kept.back() != reader.block())
            kept.push_back(reader.block());
        views.push_back(line);
    }
    ASSERT_EQ(views.size(), 4u);
    for (std::size_t i = 0; i < views.size(); ++i)
        EXPECT_EQ(views[i], "line " + std::to_string(i * 5000));
    EXPECT_LE(blocks.size(), kept.size() + 1) << "blocks nobody kept were not reused";
}

TEST(ReplaceFileAtomically, WritesAndReplaces)
{
    TempFolder folder;
    const std::string path = folder.file("a.txt");
    ASSERT_TRUE(replaceFileAtomically(path, "old"));
    ::chmod(nativePath(path).c_str(), 0640);
    ASSERT_TRUE(replaceFileAtomically(path, "new\r\n"));
    EXPECT_EQ(readWholeFile(path).value(), "new\r\n");
    struct stat info;
    ASSERT_EQ(::stat(nativePath(path).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // permissions survive a save
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(nativePath(folder.path())),
                            std::filesystem::directory_iterator {}),
              1); // no temporary file left behind
}

TEST(ReplaceFileAtomically, FailureLeavesTheOldFileAndReportsFalse)
{
    TempFolder folder;
    const std::string blocker = folder.file("plain");
    ASSERT_TRUE(replaceFileAtomically(blocker, "keep"));
    // A "folder" that is a file cannot take a temporary file.
    EXPECT_FALSE(replaceFileAtomically(env::joinPath(blocker, "x.txt"), "data"));
    EXPECT_FALSE(replaceFileAtomically(folder.file("missing/x.txt"), "data"));
    EXPECT_EQ(readWholeFile(blocker).value(), "keep");
}

TEST(ReplaceFileAtomically, AFailedWriteIsReportedAndTheOldFileKept)
{
    TempFolder folder;
    const std::string path = folder.file("log.txt");
    ASSERT_TRUE(replaceFileAtomically(path, "old contents"));
    // A child process whose files may not grow past 1 KiB: every larger write fails.
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 1024, 1024 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(replaceFileAtomically(path, std::string(1 << 16, 'x')) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "write error not reported";
    EXPECT_EQ(readWholeFile(path).value(), "old contents");
}

// Pieces go in order, however many (more than one gathered write takes) and whatever size;
// a failed write of pieces is reported like that of one text.
TEST(ReplaceFileAtomically, PiecesAreWrittenInOrder)
{
    TempFolder folder;
    const std::string path = folder.file("log.txt");
    std::vector<std::string> texts { "", "first\r\n" };
    for (int i = 0; i < 1500; ++i)
        texts.push_back(i % 3 ? std::to_string(i) + "," : "");
    texts.push_back(std::string(3 << 20, 'x'));
    texts.push_back("");
    texts.push_back("last");
    const std::vector<std::string_view> pieces(texts.begin(), texts.end());
    std::string whole;
    for (const std::string &text : texts)
        whole += text;
    ASSERT_TRUE(replaceFileAtomically(path, pieces));
    EXPECT_EQ(readWholeFile(path).value(), whole);

    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 1 << 20, 1 << 20 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(replaceFileAtomically(path, std::vector<std::string_view> { "a", whole }) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "write error not reported";
    EXPECT_EQ(readWholeFile(path).value(), whole);
}

namespace {

std::vector<std::string> namesIn(const TempFolder &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(nativePath(folder.path())))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A save of a large file that the system kills mid-write (its file size limit is reached).
void saveKilledMidWrite(const std::string &path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit noCore { 0, 0 };
        ::setrlimit(RLIMIT_CORE, &noCore);
        const rlimit limit { 1024, 1024 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        replaceFileAtomically(path, std::string(1 << 16, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the save was not killed";
}

} // namespace

TEST(ReplaceFileAtomically, TemporariesOfKilledSavesGoWithTheNextSave)
{
    TempFolder folder;
    const std::string path = folder.file("DBv3.kvr");
    ASSERT_TRUE(replaceFileAtomically(path, "old"));
    saveKilledMidWrite(path);
    ASSERT_EQ(namesIn(folder).size(), 2u) << "a killed save leaves its temporary file";
    saveKilledMidWrite(path); // clears the first one's before it dies too
    ASSERT_EQ(namesIn(folder).size(), 2u);

    const std::string self = std::to_string(::getpid());
    const std::vector<std::string> kept = {
        "DBv3.kvr.tmp-1-0", // a running process (pid 1 always runs)
        "DBv3.kvr.tmp-" + self + "-99", // this process, maybe another thread's save
        "DBv3.kvr.tmp-x-1", // not a name the writer makes
        "translog.txt.tmp-999999999-0", // another file's, left to that file's saves
    };
    for (const std::string &name : kept)
        folder.put(name, "in use");
    folder.put("DBv3.kvr.tmp-1-7", "abandoned");
    const auto twoDaysAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(folder.file("DBv3.kvr.tmp-1-7"), twoDaysAgo);

    ASSERT_TRUE(replaceFileAtomically(path, "new"));
    std::vector<std::string> expected = kept;
    expected.push_back("DBv3.kvr");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(folder), expected);
    EXPECT_EQ(readWholeFile(path).value(), "new");
}

TEST(TextFile, CodePagePathsMapToNativeNames)
{
    TempFolder folder;
    const std::string path = folder.file(cp932::text("表データ.txt"));
    ASSERT_TRUE(replaceFileAtomically(path, "x"));
    EXPECT_TRUE(fileExists(path));
    EXPECT_TRUE(std::filesystem::exists(nativePath(folder.path()) + "/表データ.txt"));
    EXPECT_FALSE(readWholeFile(folder.file("none")).has_value());
    EXPECT_FALSE(readWholeFile(folder.path()).has_value()) << "a folder is not a file";
    CLineReader reader;
    EXPECT_FALSE(reader.open(folder.path()));
}
