#include <gtest/gtest.h>

#include "app/webdictionary.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"

namespace kvr {
namespace {

WebDictionary site(int type, bool enabled, const std::string &title, const std::string &head = "h",
                   const std::string &foot = "")
{
    return WebDictionary { type, enabled, title, head, foot };
}

std::vector<std::string> titles(const std::vector<WebDictionary> &list)
{
    std::vector<std::string> result;
    for (const WebDictionary &d : list)
        result.push_back(d.title);
    return result;
}

class WebDictionaryTest : public testing::Test
{
protected:
    std::vector<WebDictionary> read(const std::string &contents)
    {
        m_folder.put("webdic.ini", contents);
        std::vector<WebDictionary> list { site(0, true, "stale") };
        EXPECT_TRUE(readWebDictionaries(list, path()));
        return list;
    }
    std::string path() const { return m_folder / "webdic.ini"; }

    TempFolder m_folder;
};

TEST_F(WebDictionaryTest, ReadingStopsAtTheFirstIndexWithoutAKnownType)
{
    const struct
    {
        const char *contents;
        std::vector<std::string> titles;
    } rows[] = {
        // Index 2 missing: index 3 is never looked at.
        { "[WebDic]\n0_dictype=ej\n0_title=A\n1_dictype=je\n1_title=B\n"
          "3_dictype=find\n3_title=D\n",
          { "A", "B" } },
        // Names compare exactly; an empty type ends the list.
        { "[WebDic]\n0_dictype=find\n0_title=A\n1_dictype=EJ\n1_title=B\n", { "A" } },
        { "[WebDic]\n0_dictype=\n1_dictype=ej\n", {} },
        // The key may be written with the blank of "%2d" or without it.
        { "[WebDic]\n 0_dictype=je\n 0_title=A\n1_dictype=ej\n1_title=B\n", { "A", "B" } },
        { "[Other]\n0_dictype=ej\n", {} },
    };
    for (const auto &row : rows)
        EXPECT_EQ(titles(read(row.contents)), row.titles) << row.contents;
}

TEST_F(WebDictionaryTest, FieldsAndTheEnableDefault)
{
    const std::string title = cp932::text("英辞郎");
    const std::string longHead = "http://example.com/" + std::string(1500, 'x') + "?q=";
    const auto list = read("[WebDic]\r\n0_dictype=ej\r\n0_title=" + title + "\r\n0_head=" + longHead
                           + "\r\n0_foot=&x=1\r\n"
                             "1_dictype=je\r\n1_enable=0\r\n"
                             "2_dictype=find\r\n2_enable=5\r\n"
                             "3_dictype=ej\r\n3_enable=abc\r\n");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], site(0, true, title, longHead, "&x=1")); // no enable key: enabled
    EXPECT_EQ(list[1], site(1, false, "", ""));
    EXPECT_EQ(list[2], site(2, true, "", ""));
    EXPECT_FALSE(list[3].enabled); // not a number reads as 0
}

TEST_F(WebDictionaryTest, MissingFileGivesAnEmptyList)
{
    std::vector<WebDictionary> list { site(0, true, "old") };
    EXPECT_TRUE(readWebDictionaries(list, m_folder / "none.ini"));
    EXPECT_TRUE(list.empty());
}

TEST_F(WebDictionaryTest, WrittenSitesReadBackAndEndTheListAfterThem)
{
    const std::vector<WebDictionary> three = {
        site(0, true, cp932::text("英和"), "http://a/?q=", "&e=1"),
        site(1, false, "B", "http://b/"),
        site(2, true, "C", "http://c/", "x"),
    };
    ASSERT_TRUE(writeWebDictionaries(three, path()));
    std::vector<WebDictionary> back;
    readWebDictionaries(back, path());
    EXPECT_EQ(back, three);

    const std::string file = readFile(path());
    EXPECT_NE(file.find("[WebDic]\r\n0_dictype=ej\r\n0_enable=1\r\n0_title="), std::string::npos);
    EXPECT_NE(file.find("1_enable=0\r\n"), std::string::npos);
    EXPECT_NE(file.find("3_dictype=\r\n"), std::string::npos);
    EXPECT_NE(file.find("9_dictype=\r\n"), std::string::npos);

    // Fewer sites: the list ends after them; the old keys stay but are never read.
    ASSERT_TRUE(writeWebDictionaries({ three[2] }, path()));
    readWebDictionaries(back, path());
    EXPECT_EQ(back, (std::vector<WebDictionary> { three[2] }));
    EXPECT_NE(readFile(path()).find("2_title=C"), std::string::npos);
}

TEST_F(WebDictionaryTest, EmptyListClearsAllTenTypesAndLongListsAreCut)
{
    ASSERT_TRUE(writeWebDictionaries({}, path()));
    const std::string file = readFile(path());
    for (int i = 0; i < kMaxWebDictionaries; ++i)
        EXPECT_NE(file.find(std::to_string(i) + "_dictype=\r\n"), std::string::npos) << i;

    std::vector<WebDictionary> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back(site(i % 3, true, "t" + std::to_string(i)));
    ASSERT_TRUE(writeWebDictionaries(twelve, path()));
    std::vector<WebDictionary> back;
    readWebDictionaries(back, path());
    EXPECT_EQ(back, std::vector<WebDictionary>(twelve.begin(), twelve.begin() + 10));
    EXPECT_EQ(readFile(path()).find("10_"), std::string::npos);
}

TEST_F(WebDictionaryTest, FailedWriteIsReported)
{
    EXPECT_FALSE(writeWebDictionaries({ site(0, true, "A") }, m_folder / "no/such/webdic.ini"));
    EXPECT_FALSE(writeWebDictionaries({}, m_folder / "no/such/webdic.ini"));
}

} // namespace
} // namespace kvr
