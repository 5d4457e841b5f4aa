#pragma once

#include <string>
#include <string_view>
#include <vector>

// Windows profile (INI) files, with the semantics of GetPrivateProfileString,
// GetPrivateProfileInt and WritePrivateProfileString. Section and key names match
// case-insensitively (ASCII), blanks around names and values are trimmed, bytes are kept as
// they are (CP932).
namespace kvr {

// The name rules of profile files, shared with whatever checks them.
namespace profile {
// The blanks trimmed around names and values: 0x09-0x0D, 0x1A and the space.
bool isBlank(char c);
std::string_view trim(std::string_view text);
// Names match with blanks around them ignored and letters in any case.
bool sameName(std::string_view a, std::string_view b);
} // namespace profile

class CIniFile
{
public:
    // Parses a file once for many look-ups; a missing file reads as empty.
    bool load(std::string_view path);
    void parse(std::string_view text);

    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;

private:
    struct Entry
    {
        std::string key;
        std::string value;
    };
    struct Section
    {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section *findSection(std::string_view name) const;
    std::vector<Section> m_sections;
};

std::string getPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::string_view path);
int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue,
                         std::string_view path);
// Writes key=value into the section, keeping every other line; creates the file or the
// section when missing. The file is replaced atomically; false when that fails.
bool writePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view path);

// The same for several keys of one section, all written with one replace of the file, so a
// crash leaves either none or all of them.
struct ProfileEntry
{
    std::string key;
    std::string value;
};
bool writePrivateProfileStrings(std::string_view section, const std::vector<ProfileEntry> &entries,
                                std::string_view path);

// The text of a profile file after writing key=value into the section (CR LF line ends).
std::string setProfileString(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

} // namespace kvr
