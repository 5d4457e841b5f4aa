// Profile (INI) files: any text parses, and writing one value changes what that key reads
// and nothing else. The control line is "section<TAB>key<TAB>value", the text the file.
#include <utility>

#include "fuzz/fuzzsupport.h"
#include "platform/cp932.h"
#include "platform/inifile.h"
#include "platform/textfile.h"

using namespace kvr;

namespace {

using profile::isBlank;
using profile::sameName;
using profile::trim;

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool trimmed(std::string_view text)
{
    return text.empty() || (!isBlank(text.front()) && !isBlank(text.back()));
}

// The key's and the section's own spelling in the file reads back as the same name only
// when the written line cannot be taken for something else: these are the limits of the
// format itself, on every platform.
bool endsInLoneLeadByte(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (cp932::isLeadByte(text[pos]) && pos + 1 == text.size())
            return true;
        pos += cp932::charLength(text, pos);
    }
    return false;
}

bool writable(std::string_view section, std::string_view key, std::string_view value)
{
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    if (endsInLoneLeadByte(trim(section)))
        return false;
    const std::string_view name = trim(key);
    if (name.empty() || name.front() == ';' || name.front() == '['
        || key.find('=') != std::string_view::npos)
        return false;
    const bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front();
    return trimmed(value) && !quoted;
}

using Probe = std::pair<std::string, std::string>;

// Every (section, key) the text names, roughly as the reader sees them.
std::vector<Probe> probesOf(std::string_view text)
{
    std::vector<Probe> probes;
    std::string section;
    for (std::string_view line : fuzz::splitAt(text, "\n")) {
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        if (!line.empty() && line.front() == '[') {
            section.assign(line.substr(1, line.rfind(']') - 1));
            continue;
        }
        probes.emplace_back(section, std::string(line.substr(0, line.find('='))));
        if (probes.size() >= 64)
            break;
    }
    return probes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzz::CControlledInput in(data, size);
    const std::vector<std::string_view> control = fuzz::splitAt(in.control(), "\t");
    const std::string section(control[0]);
    const std::string key(control.size() > 1 ? control[1] : std::string_view());
    const std::string value(control.size() > 2 ? control[2] : std::string_view());

    const std::string path = fuzz::scratchFile("file.ini");
    fuzz::putFile(path, in.text());
    CIniFile ini;
    ini.parse(in.text());
    std::vector<Probe> probes = probesOf(in.text());
    std::vector<std::string> before;
    for (const auto &[s, k] : probes) {
        before.push_back(ini.getString(s, k, "\x01"));
        ini.getInt(s, k, -1);
    }
    KVR_FUZZ_CHECK(getPrivateProfileString(section, key, "\x01", path)
                   == ini.getString(section, key, "\x01"));
    if (!writable(section, key, value))
        return 0;

    KVR_FUZZ_CHECK(writePrivateProfileString(section, key, value, path));
    CIniFile after;
    KVR_FUZZ_CHECK(after.load(path));
    KVR_FUZZ_CHECK(after.getString(section, key, "\x01") == value);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto &[s, k] = probes[i];
        if (!(sameName(s, section) && sameName(k, key)))
            KVR_FUZZ_CHECK(after.getString(s, k, "\x01") == before[i]);
    }
    return 0;
}
