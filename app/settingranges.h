#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kvr {

struct CKvrSettings;

// The values a number setting may take.
struct FieldRange
{
    int minimum;
    int maximum;
};

// One bounded number setting: its stored name, the options page field that edits it (empty
// when no page edits it as a number: the opacity list, the main window's divider), and its range,
// which is the page field's accepted range. Values with a repair of their own on load
// (MultiJudgeOverN) are listed for the pages but not clamped by clampToRanges.
struct SettingRange
{
    std::string_view setting;
    std::string_view field;
    int CKvrSettings::*value;
    FieldRange range;
    bool clampedOnLoad = true;
};

// Every bounded number setting; the options pages and loading read their ranges here.
std::span<const SettingRange> settingRanges();

// The range of an options page field, or of a stored value; nothing for other names.
std::optional<FieldRange> rangeOfField(std::string_view field);
std::optional<FieldRange> rangeOfSetting(std::string_view setting);

// Brings every value clamped on load into its range: a settings file edited by hand cannot
// ask for a wait of weeks or a divider outside the window.
void clampToRanges(CKvrSettings &settings);

} // namespace kvr
