#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "db/testsupport.h"
#include "editor/editorlookup.h"
#include "editor/wavchoice.h"

namespace kvr {
namespace {

WebDictionary site(int type, std::string title, bool enabled = true)
{
    WebDictionary dictionary;
    dictionary.dicType = type;
    dictionary.enabled = enabled;
    dictionary.title = std::move(title);
    dictionary.urlHead = "https://dic.example/search?q=";
    dictionary.urlFoot = "&x=1";
    return dictionary;
}

TEST(EditorLookup, ListsEveryEjAndJeSiteInListOrderEnabledOrNot)
{
    const std::vector<WebDictionary> sites = { site(1, "J1"), site(0, "E1", false), site(2, "F"),
                                               site(0, "E2") };
    const EditorDictionaryLists lists = editorDictionaryLists(sites);
    EXPECT_EQ(lists.upper, (std::vector<DictionaryEntry> { { "E1", 1 }, { "E2", 3 } }));
    EXPECT_EQ(lists.lower, (std::vector<DictionaryEntry> { { "J1", 0 } }));
}

TEST(EditorLookup, BuildsTheAddressFromTheAnswerKeepingSchemeAndHostFixed)
{
    std::vector<WebDictionary> sites = { site(0, "E"), site(1, "J") };
    sites[1].urlHead = "https://dic.example"; // the text would extend the host
    EXPECT_EQ(editorLookupUrl(sites, 0, sj("a b/走る")),
              "https://dic.example/search?q=a%20b%2F%E8%B5%B0%E3%82%8B&x=1");
    EXPECT_FALSE(editorLookupUrl(sites, 1, "a"));
    EXPECT_FALSE(editorLookupUrl(sites, 2, "a"));
    EXPECT_FALSE(editorLookupUrl(sites, -1, "a"));
}

TEST(WavChoice, ProposesTheFileOrTheAnswerAndTakesOnlyTheName)
{
    CQuestion row;
    row.answers[0] = "a<b>,c";
    const FileRequest request = wavDialogRequest(row, "/wav");
    EXPECT_EQ(request.title, sj("音声再生用WAVファイル名を指定してください"));
    EXPECT_EQ(request.filters.at(0).label, "wav file (*.wav)");
    EXPECT_EQ(request.startFolder, "/wav");
    EXPECT_EQ(request.proposedName, sj("a＜b＞，c"));
    row.wavFile = "x.wav";
    EXPECT_EQ(wavDialogRequest(row, "").proposedName, "x.wav");

    const std::pair<std::string, std::string> names[] = {
        { "/other/dir/v.wav", "v.wav" },        { "C:\\voice\\v.wav", "v.wav" },
        { sj("/d/表.wav"), sj("表.wav") }, // its second byte is "\"
        { sj("C:\\表\\ソ.wav"), sj("ソ.wav") }, { "v.wav", "v.wav" },
    };
    for (const auto &[path, name] : names)
        EXPECT_EQ(fileNameOf(path), name) << path;
}

} // namespace
} // namespace kvr
