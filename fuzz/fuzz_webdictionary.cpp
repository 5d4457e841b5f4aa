// The web-dictionary file: any file reads as at most ten sites of the three types, and the
// sites written into that same file (whatever else it holds) read back unchanged.
#include "app/webdictionary.h"
#include "fuzz/fuzzsupport.h"

using namespace kvr;

namespace {

// A value in matching quotes loses them on every read (as profile files do on Windows), so
// it cannot survive a write and a read; nothing else may change.
bool inQuotes(std::string_view value)
{
    return value.size() > 1 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = fuzz::scratchFile("webdic.ini");
    fuzz::putFile(path, fuzz::asText(data, size));
    std::vector<WebDictionary> sites { WebDictionary() };
    KVR_FUZZ_CHECK(readWebDictionaries(sites, path));
    KVR_FUZZ_CHECK(sites.size() <= static_cast<std::size_t>(kMaxWebDictionaries));
    for (const WebDictionary &site : sites) {
        KVR_FUZZ_CHECK(!webDictionaryTypeName(site.dicType).empty());
        for (const std::string *value : { &site.title, &site.urlHead, &site.urlFoot }) {
            if (inQuotes(*value))
                return 0;
        }
    }

    KVR_FUZZ_CHECK(writeWebDictionaries(sites, path));
    std::vector<WebDictionary> again;
    KVR_FUZZ_CHECK(readWebDictionaries(again, path));
    KVR_FUZZ_CHECK(again == sites);
    // A shorter list written over a longer one ends where it ends.
    if (!sites.empty()) {
        sites.pop_back();
        KVR_FUZZ_CHECK(writeWebDictionaries(sites, path));
        KVR_FUZZ_CHECK(readWebDictionaries(again, path));
        KVR_FUZZ_CHECK(again == sites);
    }
    return 0;
}
