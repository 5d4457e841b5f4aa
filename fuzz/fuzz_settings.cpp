// The settings file: any text parses, its formatted form parses back to the same values,
// and the file store reads a file as the parser does and changes only what it is told to.
#include "fuzz/fuzzsupport.h"
#include "platform/settingsstore.h"

using namespace kvr;

namespace {

bool printableLines(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool lineEnd = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            || (c == '\n' && i > 0 && text[i - 1] == '\r');
        if (!lineEnd && (c < 0x20 || c > 0x7E))
            return false;
    }
    return true;
}

// One change, taken from the control line: "subkey<TAB>name<TAB>value" sets a text, a value
// "#<number>" an integer, no value removes the name.
SettingChange changeOf(std::string_view control)
{
    const std::vector<std::string_view> parts = fuzz::splitAt(control, "\t");
    SettingChange change { std::string(parts[0]),
                           std::string(parts.size() > 1 ? parts[1] : std::string_view()),
                           std::nullopt };
    if (parts.size() > 2) {
        const std::string_view value = parts[2];
        if (!value.empty() && value.front() == '#') {
            std::int32_t number = 0;
            for (char c : value.substr(1))
                number = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) * 31u
                                                   + static_cast<unsigned char>(c));
            change.value = SettingValue(number);
        } else {
            change.value = SettingValue(std::string(value));
        }
    }
    return change;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzz::CControlledInput in(data, size);
    const CSettingsValues values = CSettingsValues::parse(in.text());
    const std::string formatted = values.format();
    KVR_FUZZ_CHECK(printableLines(formatted));
    const CSettingsValues again = CSettingsValues::parse(formatted);
    KVR_FUZZ_CHECK(again.size() == values.size());
    KVR_FUZZ_CHECK(again.format() == formatted);

    const std::string path = fuzz::scratchFile("settings.conf");
    fuzz::putFile(path, in.text());
    CFileSettingsStore store(path);
    KVR_FUZZ_CHECK(store.snapshot().format() == formatted);

    const SettingChange change = changeOf(in.control());
    CSettingsValues expected = values;
    expected.apply(change);
    KVR_FUZZ_CHECK(store.apply({ &change, 1 }));
    const CSettingsValues stored = store.snapshot();
    KVR_FUZZ_CHECK(stored.format() == expected.format());
    if (change.value) {
        if (const auto *number = std::get_if<std::int32_t>(&*change.value))
            KVR_FUZZ_CHECK(stored.readInt(change.subkey, change.name) == *number);
        else
            KVR_FUZZ_CHECK(stored.readString(change.subkey, change.name)
                           == std::get<std::string>(*change.value));
    } else {
        KVR_FUZZ_CHECK(!stored.contains(change.subkey, change.name));
    }
    return 0;
}
