#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/webdictionary.h"

// The editor's web look-up: two dictionary lists beside the edit fields and the address the
// "Web辞書検索" buttons open in the "Web辞書" tab.
namespace kvr {

// One entry of a list: the site's title and its index in the dictionary list.
struct DictionaryEntry
{
    std::string title;
    int site = 0;

    bool operator==(const DictionaryEntry &) const = default;
};

struct EditorDictionaryLists
{
    std::vector<DictionaryEntry> upper; // every "ej" site (type 0), beside the answer field
    std::vector<DictionaryEntry> lower; // every "je" site (type 1), beside the question field
};

// All sites of the two types, enabled or not, in list order; "find" sites are not listed.
EditorDictionaryLists editorDictionaryLists(const std::vector<WebDictionary> &sites);

// The address for the site and the answer field's text (both buttons look the answer up):
// the text percent-encoded between head and foot (webLookupUrl). Nothing for an index
// outside the list or a head that does not fix scheme and host.
std::optional<std::string> editorLookupUrl(const std::vector<WebDictionary> &sites, int site,
                                           std::string_view answerText);

} // namespace kvr
