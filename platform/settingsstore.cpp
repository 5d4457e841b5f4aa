#include "platform/settingsstore.h"

#include <charconv>
#include <cstring>
#include <filesystem>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/filelock.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

constexpr std::string_view kIntTag = "int:";
constexpr std::string_view kTextTag = "text:";
constexpr std::string_view kHeader = "; Kelvora settings";

unsigned char lowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool mustEscape(unsigned char c, bool isName)
{
    if (c < 0x20 || c > 0x7E || c == '%')
        return true;
    return isName && std::strchr("=[];#", c) != nullptr;
}

void appendEscaped(std::string &out, std::string_view bytes, bool isName)
{
    static const char digits[] = "0123456789ABCDEF";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (mustEscape(c, isName)) {
            out.push_back('%');
            out.push_back(digits[c >> 4]);
            out.push_back(digits[c & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unescape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return out;
}

std::optional<std::int32_t> parseInt(std::string_view text)
{
    std::int32_t value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

std::optional<SettingValue> parseValue(std::string_view text)
{
    if (text.starts_with(kIntTag)) {
        if (auto number = parseInt(text.substr(kIntTag.size())))
            return SettingValue(*number);
        return std::nullopt;
    }
    if (text.starts_with(kTextTag)) {
        if (auto bytes = unescape(text.substr(kTextTag.size())))
            return SettingValue(std::move(*bytes));
    }
    return std::nullopt;
}

// Temporary files left by a writer that died mid-write. Only call under the lock: then no
// live writer has one open.
void removeStaleTemporaries(const std::string &path)
{
    namespace fs = std::filesystem;
    const fs::path target(nativePath(path));
    const std::string prefix = target.filename().string() + ".tmp";
    std::error_code error;
    for (fs::directory_iterator it(target.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename().string().starts_with(prefix)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

} // namespace

bool SettingNameLess::operator()(std::string_view a, std::string_view b) const
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = lowerAscii(static_cast<unsigned char>(a[i]));
        const auto cb = lowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

// --- CSettingsValues ---------------------------------------------------------------------

const SettingValue *CSettingsValues::find(std::string_view subkey, std::string_view name) const
{
    const auto key = m_subkeys.find(subkey);
    if (key == m_subkeys.end())
        return nullptr;
    const auto value = key->second.find(name);
    return value == key->second.end() ? nullptr : &value->second;
}

std::optional<std::int32_t> CSettingsValues::readInt(std::string_view subkey,
                                                     std::string_view name) const
{
    const SettingValue *value = find(subkey, name);
    if (const auto *number = value ? std::get_if<std::int32_t>(value) : nullptr)
        return *number;
    return std::nullopt;
}

std::optional<std::string> CSettingsValues::readString(std::string_view subkey,
                                                       std::string_view name) const
{
    const SettingValue *value = find(subkey, name);
    if (const auto *text = value ? std::get_if<std::string>(value) : nullptr)
        return *text;
    return std::nullopt;
}

bool CSettingsValues::contains(std::string_view subkey, std::string_view name) const
{
    return find(subkey, name) != nullptr;
}

std::size_t CSettingsValues::size() const
{
    std::size_t count = 0;
    for (const auto &[subkey, values] : m_subkeys)
        count += values.size();
    return count;
}

void CSettingsValues::apply(const SettingChange &change)
{
    if (!change.value) {
        const auto key = m_subkeys.find(change.subkey);
        if (key == m_subkeys.end())
            return;
        key->second.erase(change.name);
        if (key->second.empty())
            m_subkeys.erase(key);
        return;
    }
    auto key = m_subkeys.find(change.subkey);
    if (key == m_subkeys.end())
        key = m_subkeys.emplace(change.subkey, Values()).first;
    auto value = key->second.find(change.name);
    if (value == key->second.end())
        key->second.emplace(change.name, *change.value);
    else
        value->second = *change.value;
}

std::string CSettingsValues::format() const
{
    CLineWriter writer;
    writer.line(kHeader);
    std::string line;
    for (const auto &[subkey, values] : m_subkeys) {
        line.assign(1, '[');
        appendEscaped(line, subkey, true);
        line += "]";
        writer.line(line);
        for (const auto &[name, value] : values) {
            line.clear();
            appendEscaped(line, name, true);
            line += "=";
            if (const auto *number = std::get_if<std::int32_t>(&value)) {
                line += kIntTag;
                line += std::to_string(*number);
            } else {
                line += kTextTag;
                appendEscaped(line, std::get<std::string>(value), false);
            }
            writer.line(line);
        }
    }
    return writer.contents();
}

CSettingsValues CSettingsValues::parse(std::string_view text)
{
    CSettingsValues result;
    CLineSplitter lines(text);
    std::string_view line;
    std::optional<std::string> subkey;
    while (lines.next(line)) {
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            subkey = line.back() == ']' && line.size() >= 2
                ? unescape(line.substr(1, line.size() - 2))
                : std::nullopt;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!subkey || equals == std::string_view::npos)
            continue;
        auto name = unescape(line.substr(0, equals));
        auto value = parseValue(line.substr(equals + 1));
        if (name && value)
            result.apply(SettingChange { *subkey, std::move(*name), std::move(value) });
    }
    return result;
}

// --- ISettingsStore ----------------------------------------------------------------------

std::optional<std::int32_t> ISettingsStore::readInt(std::string_view subkey,
                                                    std::string_view name) const
{
    return snapshot().readInt(subkey, name);
}

std::optional<std::string> ISettingsStore::readString(std::string_view subkey,
                                                      std::string_view name) const
{
    return snapshot().readString(subkey, name);
}

std::int32_t ISettingsStore::readInt(std::string_view subkey, std::string_view name,
                                     std::int32_t defaultValue) const
{
    return readInt(subkey, name).value_or(defaultValue);
}

std::string ISettingsStore::readString(std::string_view subkey, std::string_view name,
                                       std::string_view defaultValue) const
{
    if (auto text = readString(subkey, name))
        return std::move(*text);
    return std::string(defaultValue);
}

bool ISettingsStore::writeInt(std::string_view subkey, std::string_view name, std::int32_t value)
{
    const SettingChange change { std::string(subkey), std::string(name), SettingValue(value) };
    return apply({ &change, 1 });
}

bool ISettingsStore::writeString(std::string_view subkey, std::string_view name,
                                 std::string_view value)
{
    const SettingChange change { std::string(subkey), std::string(name),
                                 SettingValue(std::string(value)) };
    return apply({ &change, 1 });
}

bool ISettingsStore::remove(std::string_view subkey, std::string_view name)
{
    const SettingChange change { std::string(subkey), std::string(name), std::nullopt };
    return apply({ &change, 1 });
}

// --- CMemorySettingsStore ----------------------------------------------------------------

bool CMemorySettingsStore::apply(std::span<const SettingChange> changes)
{
    if (m_readOnly)
        return false;
    for (const SettingChange &change : changes) {
        m_values.apply(change);
        m_changes.push_back(change);
    }
    return true;
}

// --- CFileSettingsStore ------------------------------------------------------------------

CSettingsValues CFileSettingsStore::snapshot() const
{
    if (auto text = readWholeFile(m_path))
        return CSettingsValues::parse(*text);
    return CSettingsValues();
}

bool CFileSettingsStore::apply(std::span<const SettingChange> changes)
{
    if (write(changes))
        return true;
    if (!m_failedOn)
        m_failedOn = m_path;
    return false;
}

std::optional<std::string> CFileSettingsStore::takeWriteFailure()
{
    if (!m_failedOn || m_failureTold)
        return std::nullopt;
    m_failureTold = true;
    return m_failedOn;
}

std::string settingsWriteFailedText(const std::string &path)
{
    return cp932::text("設定ファイル ") + path
        + cp932::text(" に書き込めませんでした。設定は保存されません。");
}

bool CFileSettingsStore::write(std::span<const SettingChange> changes)
{
    const std::string folder = env::parentFolder(m_path);
    if (!folder.empty() && !env::makeFolders(folder))
        return false;
    CFileLock lock(m_path + ".lock");
    if (!lock.locked()) {
        m_failedOn = m_path + ".lock";
        return false;
    }
    CSettingsValues values;
    std::optional<std::string> text;
    if (fileExists(m_path)) {
        // A file that is there but cannot be read must not be replaced by our values alone.
        text = readWholeFile(m_path);
        if (!text)
            return false;
        values = CSettingsValues::parse(*text);
    }
    for (const SettingChange &change : changes)
        values.apply(change);
    removeStaleTemporaries(m_path);
    std::string formatted = values.format();
    // Writing what the file already says would only cost a synced replace (at every start).
    if (text && formatted == *text)
        return true;
    return replaceFileAtomically(m_path, formatted);
}

std::string settingsFilePath(std::string_view company, std::string_view program)
{
    std::string file(program);
    file += ".conf";
    return env::joinPath(env::joinPath(env::configHome(), company), file);
}

std::unique_ptr<ISettingsStore> openUserSettings()
{
    return std::make_unique<CFileSettingsStore>(settingsFilePath());
}

} // namespace kvr
