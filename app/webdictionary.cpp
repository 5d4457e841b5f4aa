#include "app/webdictionary.h"

#include <algorithm>
#include <array>
#include <optional>

#include "platform/inifile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr std::array<std::string_view, kWebDictionaryTypeCount> kTypeNames = { "ej", "je", "find" };

// The index printed with "%2d": a blank before a single digit. The profile layer trims key
// names, so the file holds "0_dictype" and either spelling finds it.
std::string key(int index, const char *suffix)
{
    return formatText("%2d_%s", index, suffix);
}

std::optional<int> typeFromName(std::string_view name)
{
    for (int type = 0; type < kWebDictionaryTypeCount; ++type) {
        if (kTypeNames[type] == name)
            return type;
    }
    return std::nullopt;
}

void addSite(std::vector<ProfileEntry> &entries, int index, const WebDictionary &site)
{
    entries.push_back({ key(index, "dictype"), std::string(webDictionaryTypeName(site.dicType)) });
    entries.push_back({ key(index, "enable"), site.enabled ? "1" : "0" });
    entries.push_back({ key(index, "title"), site.title });
    entries.push_back({ key(index, "head"), site.urlHead });
    entries.push_back({ key(index, "foot"), site.urlFoot });
}

} // namespace

std::string_view webDictionaryTypeName(int dicType)
{
    if (dicType < 0 || dicType >= kWebDictionaryTypeCount)
        return {};
    return kTypeNames[dicType];
}

bool readWebDictionaries(std::vector<WebDictionary> &list, std::string_view path)
{
    list.clear();
    CIniFile file;
    file.load(path);
    for (int i = 0; i < kMaxWebDictionaries; ++i) {
        const auto type =
            typeFromName(file.getString(kWebDictionarySection, key(i, "dictype"), ""));
        if (!type)
            break;
        WebDictionary site;
        site.dicType = *type;
        site.enabled = file.getInt(kWebDictionarySection, key(i, "enable"), -1) != 0;
        site.title = file.getString(kWebDictionarySection, key(i, "title"), "");
        site.urlHead = file.getString(kWebDictionarySection, key(i, "head"), "");
        site.urlFoot = file.getString(kWebDictionarySection, key(i, "foot"), "");
        list.push_back(std::move(site));
    }
    return true;
}

bool writeWebDictionaries(const std::vector<WebDictionary> &list, std::string_view path)
{
    // One replace of the file for the whole list: a crash never leaves half of it.
    std::vector<ProfileEntry> entries;
    const int written = std::min(static_cast<int>(list.size()), kMaxWebDictionaries);
    for (int i = 0; i < written; ++i)
        addSite(entries, i, list[i]);
    for (int i = written; i < kMaxWebDictionaries; ++i)
        entries.push_back({ key(i, "dictype"), "" });
    return writePrivateProfileStrings(kWebDictionarySection, entries, path);
}

} // namespace kvr
