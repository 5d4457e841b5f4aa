// The dictionary lists and addresses of the editor's web look-up.
#include "editor/editorlookup.h"

#include "app/weblookup.h"

namespace kvr {

EditorDictionaryLists editorDictionaryLists(const std::vector<WebDictionary> &sites)
{
    EditorDictionaryLists lists;
    for (std::size_t i = 0; i < sites.size(); ++i) {
        const DictionaryEntry entry { sites[i].title, static_cast<int>(i) };
        if (sites[i].dicType == 0)
            lists.upper.push_back(entry);
        else if (sites[i].dicType == 1)
            lists.lower.push_back(entry);
    }
    return lists;
}

std::optional<std::string> editorLookupUrl(const std::vector<WebDictionary> &sites, int site,
                                           std::string_view answerText)
{
    if (site < 0 || static_cast<std::size_t>(site) >= sites.size())
        return std::nullopt;
    return webLookupUrl(sites[static_cast<std::size_t>(site)], answerText);
}

} // namespace kvr
