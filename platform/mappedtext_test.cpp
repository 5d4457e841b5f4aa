#include <chrono>
#include <filesystem>
#if defined(__unix__)
#include <sys/stat.h>
#endif
#include <gtest/gtest.h>

#include "platform/mappedtext.h"
#include "platform/testsupport.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

TEST(MappedText, OpensRegularFilesOnly)
{
    TempFolder folder;
    folder.put("empty.txt", "");
    folder.put("text.txt", "line\r\n\x83\x5c");
    EXPECT_EQ(CMappedText::open(folder / "missing.txt"), nullptr);
    EXPECT_EQ(CMappedText::open(folder.path()), nullptr);
#if defined(__unix__)
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(CMappedText::open(folder / "pipe"), nullptr); // returns at once
#endif
    const auto empty = CMappedText::open(folder / "empty.txt");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->view(), "");
    const auto text = CMappedText::open(folder / "text.txt");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->view(), "line\r\n\x83\x5c");
    EXPECT_EQ(CMappedText::hold("held")->view(), "held");
}

// A replaced file leaves the bytes that were opened as they were; a rewrite in place is told.
TEST(MappedText, KeepsItsBytesThroughAReplaceAndTellsARewriteInPlace)
{
    TempFolder folder;
    const std::string path = folder / "text.txt";
    folder.put("text.txt", "first");
    const auto text = CMappedText::open(path);
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(replaceFileAtomically(path, "second, longer"));
    EXPECT_EQ(text->view(), "first");
    EXPECT_TRUE(text->unchanged());

    const auto again = CMappedText::open(path);
    ASSERT_NE(again, nullptr);
    folder.put("text.txt", "third, longer!");
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) + std::chrono::seconds(2));
    EXPECT_FALSE(again->unchanged());
    EXPECT_TRUE(CMappedText::hold("held")->unchanged());
}

} // namespace
