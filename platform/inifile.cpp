#include "platform/inifile.h"

#include <optional>

#include "platform/cp932.h"
#include "platform/textfile.h"

namespace kvr {

bool profile::isBlank(char c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' ';
}

std::string_view profile::trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool profile::sameName(std::string_view a, std::string_view b)
{
    return cp932::equalsIgnoreCase(trim(a), trim(b));
}

namespace {

using profile::isBlank;
using profile::sameName;
using profile::trim;

// Profile files split lines at CR or LF alike.
template <typename Visit> void forEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        visit(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size()
            && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

// The name of a "[name]" line, or nothing for any other line. The scan walks characters
// so that a trail byte 0x5D is never taken for the closing bracket.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    std::size_t close = std::string_view::npos;
    for (std::size_t pos = 1; pos < line.size(); pos += cp932::charLength(line, pos)) {
        if (line[pos] == ']')
            close = pos;
    }
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyLine
{
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() == ';')
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return KeyLine { line, std::string_view() };
    return KeyLine { trim(line.substr(0, equals)), trim(line.substr(equals + 1)) };
}

std::string stripQuotes(std::string_view value)
{
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int parseProfileInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    std::uint32_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = value * 10 + static_cast<std::uint32_t>(text[pos] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

} // namespace

bool CIniFile::load(std::string_view path)
{
    const std::optional<std::string> content = readWholeFile(path);
    parse(content ? std::string_view(*content) : std::string_view());
    return content.has_value();
}

void CIniFile::parse(std::string_view text)
{
    m_sections.clear();
    Section *current = nullptr;
    forEachLine(text, [&](std::string_view line) {
        if (const auto name = sectionName(line)) {
            m_sections.push_back(Section { std::string(*name), {} });
            current = &m_sections.back();
        } else if (const auto entry = keyLine(line); entry && current) {
            current->entries.push_back(
                Entry { std::string(entry->key), std::string(entry->value) });
        }
    });
}

const CIniFile::Section *CIniFile::findSection(std::string_view name) const
{
    for (const Section &section : m_sections) {
        if (sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

std::string CIniFile::getString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    if (const Section *found = findSection(section)) {
        for (const Entry &entry : found->entries) {
            if (sameName(entry.key, key))
                return stripQuotes(entry.value);
        }
    }
    return std::string(defaultValue);
}

int CIniFile::getInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const std::string value = getString(section, key, std::string_view());
    return value.empty() ? defaultValue : parseProfileInt(value);
}

std::string getPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view path)
{
    CIniFile file;
    file.load(path);
    return file.getString(section, key, defaultValue);
}

int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view path)
{
    CIniFile file;
    file.load(path);
    return file.getInt(section, key, defaultValue);
}

std::string setProfileString(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value)
{
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) { lines.push_back(line); });

    const std::string newLine = std::string(trim(key)) + "=" + std::string(value);
    // Where the section starts and where its last non-empty line is.
    std::optional<std::size_t> sectionLine;
    std::size_t insertAt = lines.size();
    std::optional<std::size_t> keyAt;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (sectionLine)
                break;
            if (sameName(*name, section)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!sectionLine)
            continue;
        if (!trim(lines[i]).empty())
            insertAt = i + 1;
        if (const auto entry = keyLine(lines[i]); entry && !keyAt && sameName(entry->key, key))
            keyAt = i;
    }

    std::string header = "[";
    header.append(trim(section)).push_back(']');
    std::vector<std::string_view> out(lines.begin(), lines.end());
    if (keyAt) {
        out[*keyAt] = newLine;
    } else if (sectionLine) {
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
    } else {
        if (!out.empty() && !trim(out.back()).empty())
            out.push_back(std::string_view());
        out.push_back(header);
        out.push_back(newLine);
    }
    CLineWriter writer;
    for (std::string_view line : out)
        writer.line(line);
    return writer.contents();
}

bool writePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view path)
{
    return writePrivateProfileStrings(section, { { std::string(key), std::string(value) } }, path);
}

bool writePrivateProfileStrings(std::string_view section, const std::vector<ProfileEntry> &entries,
                                std::string_view path)
{
    std::string text = readWholeFile(path).value_or(std::string());
    for (const ProfileEntry &entry : entries)
        text = setProfileString(text, section, entry.key, entry.value);
    return replaceFileAtomically(path, text);
}

} // namespace kvr
