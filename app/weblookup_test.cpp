#include <cstdlib>
#include <gtest/gtest.h>

#include "app/weblookup.h"
#include "platform/cp932.h"
#include "platform/testsupport_shell.h"

namespace kvr {
namespace {

using cp932::text;

WebDictionary site(int type, const std::string &title, const std::string &head,
                   const std::string &foot = "", bool enabled = true)
{
    return WebDictionary { type, enabled, title, head, foot };
}

CQuestion appleQuestion()
{
    CQuestion question;
    question.questionLines = { "apple%no", "" };
    question.answers = { text("りんご"), text("林檎"), "", "", "" };
    return question;
}

// The host of an absolute "scheme://host/…" URL.
std::string hostOf(const std::string &url)
{
    const std::size_t start = url.find("://") + 3;
    const std::size_t end = url.find_first_of("/?#", start);
    return url.substr(start, end - start);
}

TEST(WebLookupMenu, ItemsFollowTheSiteTypesAndSkipDisabledSites)
{
    const std::vector<WebDictionary> sites = {
        site(0, "EJ", "https://ej.example/"),
        site(0, "off", "https://off.example/", "", false),
        site(1, "JE", "https://je.example/"),
        site(2, "Find", "https://find.example/?q="),
    };
    EXPECT_EQ(webLookupItems(sites, appleQuestion()),
              (std::vector<WebLookupItem> {
                  { text("りんご [EJ]"), 201 },
                  { text("林檎 [EJ]"), 202 },
                  { "apple" + text("【名詞】 [JE]"), 226 },
                  // "apple【名詞】 りんご 林檎 " cut to its first 20 bytes
                  { "apple" + text("【名詞】 りんご... [Find]"), 238 },
              }));
    EXPECT_EQ(webLookupMenuTitle(), text("Web辞書で検索(&W)"));
    EXPECT_TRUE(webLookupItems(sites, CQuestion {}).size() == 1); // only the "find" item
}

TEST(WebLookupMenu, LongTitlesAndAnswersAreCutSoTheMenuKeepsItsWidth)
{
    const std::string longTitle = text("とても長い名前の辞書サイトのタイトルです"); // 40 bytes
    CQuestion question = appleQuestion();
    question.answers[0] = std::string(60, 'a');
    const std::vector<WebDictionary> sites = { site(0, longTitle, "https://ej.example/") };
    const std::vector<WebLookupItem> items = webLookupItems(sites, question);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0].text,
              std::string(48, 'a') + "... [" + text("とても長い名前の辞書サイトのタイ")
                  + "...]"); // 32 bytes
    EXPECT_EQ(items[1].text, text("林檎 [") + text("とても長い名前の辞書サイトのタイ") + "...]");
    // The look-up takes the whole answer.
    EXPECT_EQ(webLookupRequest(items[0].command, question)->text, std::string(60, 'a'));
    // Texts at the limits stay whole.
    const std::string title32(32, 't');
    question.answers[0] = std::string(48, 'b');
    EXPECT_EQ(webLookupItems({ site(0, title32, "https://ej.example/") }, question)[0].text,
              std::string(48, 'b') + " [" + title32 + "]");
}

TEST(WebLookupMenu, TheSummaryIsCutAtTwentyBytesWithoutSplittingACharacter)
{
    const struct
    {
        std::string answer;
        std::string shown;
    } rows[] = {
        { "abcdefghijklmnopqrs", "abcdefghijklmnopqrs " }, // 20 bytes with its blank
        { "abcdefghijklmnopqrst", "abcdefghijklmnopqrst..." },
        { "abcdefghijklmnopqr" + text("あ"), "abcdefghijklmnopqr" + text("あ") + "..." },
        { "abcdefghijklmnopqrs" + text("あ"), "abcdefghijklmnopqrs..." }, // あ would pass 20
    };
    for (const auto &row : rows) {
        CQuestion question;
        question.answers[0] = row.answer;
        const auto items = webLookupItems({ site(2, "F", "https://f.example/?q=") }, question);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].text, row.shown + " [F]");
    }
    CQuestion question = appleQuestion();
    question.questionLines[1] = "ringo";
    EXPECT_EQ(webLookupSummary(question),
              "apple" + text("【名詞】 ") + "ringo " + text("りんご 林檎 "));
}

TEST(WebLookupCommand, CommandNumbersSelectSiteAndText)
{
    CQuestion question = appleQuestion();
    question.questionLines[1] = "ringo";
    question.answers[4] = "fifth";
    const struct
    {
        int command;
        std::optional<WebLookupRequest> expected;
    } rows[] = {
        { 201, WebLookupRequest { 0, text("りんご") } },
        { 205, WebLookupRequest { 0, "fifth" } },
        { 206, WebLookupRequest { 0, "apple" } }, // no part-of-speech code reaches a site
        { 217, WebLookupRequest { 1, "ringo" } },
        { 218, WebLookupRequest { 1, webLookupSummary(question) } },
        { 219, std::nullopt },
        { 220, std::nullopt },
        { 292, WebLookupRequest { 9, text("林檎") } },
        { 300, std::nullopt },
        { 200, std::nullopt },
        { 301, std::nullopt },
    };
    for (const auto &row : rows)
        EXPECT_EQ(webLookupRequest(row.command, question), row.expected) << row.command;
}

TEST(WebLookupUrl, TheTextGoesBetweenHeadAndFootAsPercentEncodedUtf8)
{
    const struct
    {
        WebDictionary site;
        std::string text;
        std::string url;
    } rows[] = {
        { site(0, "t", "https://ejje.weblio.jp/content/"), "apple",
          "https://ejje.weblio.jp/content/apple" },
        { site(0, "t", "https://d.example/s?q=", "&lang=ja"), text("りんご"),
          "https://d.example/s?q=%E3%82%8A%E3%82%93%E3%81%94&lang=ja" },
        { site(0, "t", "https://d.example/s?q="), "a b+c%41",
          "https://d.example/s?q=a%20b%2Bc%2541" },
        { site(0, "t", "https://d.example/" + text("検索") + " ?q=", " x"), "-._~",
          "https://d.example/%E6%A4%9C%E7%B4%A2%20?q=-._~%20x" },
        { site(0, "t", "mailto:"), "a@b", "mailto:a%40b" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(webLookupUrl(row.site, row.text), row.url) << row.text;
}

TEST(WebLookupUrl, NoTextCanChangeTheSchemeOrTheHost)
{
    const std::vector<std::string> heads = { "https://d.example/search?q=", "https://d.example/w/",
                                             "https://d.example?q=", "https://d.example#" };
    const std::vector<std::string> texts = {
        "@evil.example",        "/evil.example",  "#frag",      "?q=evil",
        "://evil.example/",     "\r\nHost: evil", "..",         "../../x",
        "http://evil.example",  "a\\b",           text("表\\"), "%2F%2Fevil",
        std::string("a\0b", 3),
    };
    for (const std::string &head : heads) {
        for (const std::string &t : texts) {
            const auto url = webLookupUrl(site(0, "t", head), t);
            ASSERT_TRUE(url) << head;
            EXPECT_TRUE(url->starts_with(head)) << *url;
            EXPECT_EQ(hostOf(*url), "d.example") << *url;
            const std::string added = url->substr(head.size());
            EXPECT_EQ(added.find_first_not_of(
                          "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~%"),
                      std::string::npos)
                << *url;
        }
    }
}

TEST(WebLookupUrl, AHeadThatLeavesSchemeOrHostOpenOpensNothing)
{
    const std::string heads[] = { "",
                                  "https://d.example",
                                  "https://d.example.",
                                  "d.example/search?q=",
                                  "//d.example/",
                                  "1http://d.example/",
                                  " https://d.example/" };
    for (const std::string &head : heads) {
        EXPECT_EQ(webLookupUrl(site(0, "t", head), "x"), std::nullopt) << head;
        test::RecordingShell opener;
        EXPECT_FALSE(lookUp({ site(0, "t", head) }, 0, "x", opener));
        EXPECT_TRUE(opener.addresses.empty());
    }
}

TEST(WebLookUp, OpensThroughTheOpenerAndReportsItsResult)
{
    const std::vector<WebDictionary> sites = { site(0, "EJ", "https://ej.example/") };
    test::RecordingShell opener;
    EXPECT_TRUE(lookUp(sites, 0, "apple", opener));
    EXPECT_FALSE(lookUp(sites, 1, "apple", opener));
    EXPECT_FALSE(lookUp(sites, -1, "apple", opener));
    EXPECT_EQ(opener.addresses, std::vector<std::string> { "https://ej.example/apple" });
    opener.accepts = false;
    EXPECT_FALSE(lookUp(sites, 0, "apple", opener));
    EXPECT_FALSE(runWebLookupCommand(sites, 209, appleQuestion(), opener));
    EXPECT_EQ(opener.addresses.size(), 2u);
}

TEST(WebLookUp, TheShippedSitesOpenTheirOwnHosts)
{
    const char *source = std::getenv("KVR_TEST_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    std::vector<WebDictionary> sites;
    readWebDictionaries(sites, std::string(source) + "/data/Datas/webdic.ini");
    ASSERT_EQ(sites.size(), 4u);
    test::RecordingShell opener;
    const CQuestion question = appleQuestion();
    for (const WebLookupItem &item : webLookupItems(sites, question))
        EXPECT_TRUE(runWebLookupCommand(sites, item.command, question, opener)) << item.command;
    EXPECT_EQ(opener.addresses,
              (std::vector<std::string> {
                  "https://ejje.weblio.jp/content/%E3%82%8A%E3%82%93%E3%81%94",
                  "https://ejje.weblio.jp/content/%E6%9E%97%E6%AA%8E",
                  "https://eow.alc.co.jp/search?q=%E3%82%8A%E3%82%93%E3%81%94",
                  "https://eow.alc.co.jp/search?q=%E6%9E%97%E6%AA%8E",
                  "https://ejje.weblio.jp/content/apple",
                  "https://www.google.com/search?q=apple%E3%80%90%E5%90%8D%E8%A9%9E%E3%80%91%20%E3%"
                  "82%8A%E3%82%93%E3%81%94%20%E6%9E%97%E6%AA%8E%20",
              }));
}

} // namespace
} // namespace kvr
