#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvr {

// One look-up site: the looked-up text goes between urlHead and urlFoot. Texts are CP932.
struct WebDictionary
{
    int dicType = 0; // 0 "ej", 1 "je", 2 "find"
    bool enabled = true;
    std::string title;
    std::string urlHead;
    std::string urlFoot;

    bool operator==(const WebDictionary &) const = default;
};

constexpr int kWebDictionaryTypeCount = 3;
// The list never holds more sites than this.
constexpr int kMaxWebDictionaries = 10;
constexpr std::string_view kWebDictionarySection = "WebDic";

// "ej", "je", "find" for the three types; empty for any other number.
std::string_view webDictionaryTypeName(int dicType);

// Reads the sites of section "WebDic" from the profile file at path into list (emptied
// first), in index order 0-9, stopping at the first index whose "dictype" is none of the
// three type names (compared exactly). A missing "enable" key means enabled. Values are
// taken whole. A missing or unreadable file gives an empty list. Always true.
bool readWebDictionaries(std::vector<WebDictionary> &list, std::string_view path);

// Writes the first ten sites at indexes 0, 1, … (type name, enable "1"/"0", title, head,
// foot), then an empty "dictype" for every remaining index up to 9, which ends the list
// there; stale keys of cleared indexes stay in the file. False as soon as one write fails.
bool writeWebDictionaries(const std::vector<WebDictionary> &list, std::string_view path);

} // namespace kvr
