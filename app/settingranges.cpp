#include "app/settingranges.h"

#include <algorithm>

#include "app/kvrsettings.h"
#include "app/mainlayout.h"
#include "app/options.h"

namespace kvr {

namespace {

using S = CKvrSettings;

// clang-format off
const SettingRange kRanges[] = {
    { "nDefaultQuestions",     "defaultQuestions",      &S::nDefaultQuestions,     { 0, 200 } },
    { "CorrectWaitTime",       "correctWaitTime",       &S::CorrectWaitTime,       { 0, 2000 } },
    { "IncorrectWaitTime",     "incorrectWaitTime",     &S::IncorrectWaitTime,     { 0, 2000 } },
    { "MultiJudgeOverN",       "multiJudgeOverN",       &S::MultiJudgeOverN,       { 1, 5 }, false },
    { "ReplyStartLimitJe",     "replyStartLimitJe",     &S::ReplyStartLimitJe,     { 500, 30000 } },
    { "nCorrectHeadNAnswerJE", "nCorrectHeadNAnswerJE", &S::nCorrectHeadNAnswerJE, { 1, 50 } },
    { "ReplyLimitEJ",          "replyLimitEJ",          &S::ReplyLimitEJ,          { 1000, 30000 } },
    { "ShowLimitEJ4",          "showLimitEJ4",          &S::ShowLimitEJ4,          { 0, 5000 } },
    { "ReplyLimitEJ4",         "replyLimitEJ4",         &S::ReplyLimitEJ4,         { 1000, 30000 } },
    { "ShowLimitJE4",          "showLimitJE4",          &S::ShowLimitJE4,          { 0, 5000 } },
    { "ReplyLimitJE4",         "replyLimitJE4",         &S::ReplyLimitJE4,         { 1000, 30000 } },
    { "VoiceRate",             "voiceRate",             &S::VoiceRate,     { kVoiceRateMinimum, kVoiceRateMaximum } },
    { "VoiceVolume",           "voiceVolume",           &S::VoiceVolume,           { 0, kVoiceVolumeMaximum } },
    { "Opacity",               "",                      &S::Opacity,               { 0, 100 } },
    { "TreeLogPeriod",         "",                      &S::TreeLogPeriod,         { kMinTreeLogPeriod, kMaxTreeLogPeriod } },
};
// clang-format on

} // namespace

std::span<const SettingRange> settingRanges()
{
    return kRanges;
}

std::optional<FieldRange> rangeOfField(std::string_view field)
{
    for (const SettingRange &row : kRanges) {
        if (!field.empty() && row.field == field)
            return row.range;
    }
    return std::nullopt;
}

std::optional<FieldRange> rangeOfSetting(std::string_view setting)
{
    for (const SettingRange &row : kRanges) {
        if (row.setting == setting)
            return row.range;
    }
    return std::nullopt;
}

void clampToRanges(CKvrSettings &settings)
{
    for (const SettingRange &row : kRanges) {
        if (row.clampedOnLoad)
            settings.*row.value =
                std::clamp(settings.*row.value, row.range.minimum, row.range.maximum);
    }
}

} // namespace kvr
