#include <cctype>
#include <cstdlib>

#include "app/kvrsettings.h"
#include "app/options.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

// A number field of a page; its range comes from the settings' range table.
struct RangedField
{
    const char *name;
    OptionPage page;
    int OptionsCopy::*value;
    bool (*enabled)(const OptionsCopy &);
};

bool always(const OptionsCopy &)
{
    return true;
}

// In the order the pages show them.
const RangedField kRangedFields[] = {
    { "defaultQuestions", OptionPage::General, &OptionsCopy::defaultQuestions, always },
    { "correctWaitTime", OptionPage::Reply, &OptionsCopy::correctWaitTime, always },
    { "incorrectWaitTime", OptionPage::Reply, &OptionsCopy::incorrectWaitTime, always },
    { "multiJudgeOverN", OptionPage::ReplyInput, &OptionsCopy::multiJudgeOverN,
      [](const OptionsCopy &c) { return c.multiJudge == 1; } },
    { "replyStartLimitJe", OptionPage::ReplyInput, &OptionsCopy::replyStartLimitJe,
      [](const OptionsCopy &c) { return c.useReplyStartLimitJe; } },
    { "nCorrectHeadNAnswerJE", OptionPage::ReplyInput, &OptionsCopy::nCorrectHeadNAnswerJE,
      [](const OptionsCopy &c) { return c.correctHeadNAnswerJE; } },
    { "replyLimitEJ", OptionPage::ReplyInput, &OptionsCopy::replyLimitEJ,
      [](const OptionsCopy &c) { return c.useReplyLimitEJ; } },
    { "showLimitEJ4", OptionPage::ReplySelect, &OptionsCopy::showLimitEJ4,
      [](const OptionsCopy &c) { return c.useShowLimitEJ4; } },
    { "replyLimitEJ4", OptionPage::ReplySelect, &OptionsCopy::replyLimitEJ4,
      [](const OptionsCopy &c) { return c.useReplyLimitEJ4; } },
    { "showLimitJE4", OptionPage::ReplySelect, &OptionsCopy::showLimitJE4,
      [](const OptionsCopy &c) { return c.useShowLimitJE4; } },
    { "replyLimitJE4", OptionPage::ReplySelect, &OptionsCopy::replyLimitJE4,
      [](const OptionsCopy &c) { return c.useReplyLimitJE4; } },
};

std::vector<std::string> makeOpacityEntries()
{
    std::vector<std::string> entries { cp932::text(" 0% （透明）") };
    for (int percent = 10; percent <= 90; percent += 10)
        entries.push_back(std::to_string(percent) + "%");
    entries.push_back(cp932::text("100% （解除）"));
    return entries;
}

std::vector<std::string> makeVoiceFormatEntries()
{
    std::vector<std::string> entries;
    for (int kHz : { 8, 11, 12, 16, 22, 24, 32, 44, 48 }) {
        for (int bits : { 8, 16 }) {
            for (const char *channels : { "Mono", "Stereo" })
                entries.push_back(formatText("%dkHz %d Bit %s", kHz, bits, channels));
        }
    }
    return entries;
}

bool startsWithIgnoringCase(const std::string &text, const std::string &prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i]))
            != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

} // namespace

std::optional<RangeFailure> checkFields(OptionPage page, const OptionsCopy &copy)
{
    for (const RangedField &field : kRangedFields) {
        if (field.page != page || !field.enabled(copy))
            continue;
        const int value = copy.*field.value;
        const FieldRange range = *rangeOfField(field.name);
        if (value < range.minimum || value > range.maximum) {
            return RangeFailure { field.name,
                                  formatText(
                                      cp932::text("%d から %d までの整数を入力してください。"),
                                      range.minimum, range.maximum) };
        }
    }
    return std::nullopt;
}

std::optional<FieldRange> fieldRange(const std::string &name)
{
    return rangeOfField(name);
}

void restoreDefaults(OptionsCopy &copy, const CKvrSettings &settings)
{
    const CKvrSettings defaults;
    copy.hideCountDialog = false;
    copy.hideOrderDialog = true;
    copy.correctWaitTime = defaults.CorrectWaitTime;
    copy.incorrectWaitTime = defaults.IncorrectWaitTime;
    copy.backgroundColor = defaults.BackgroundColor;
    copy.correctSoundFile = env::joinPath(settings.dataFolder(), "Correct.wav");
    copy.incorrectSoundFile = env::joinPath(settings.dataFolder(), "Incorrect.wav");
    copy.alwaysShowHint = false;
    copy.ignoreCase = true;
    copy.replyStartLimitJe = defaults.ReplyStartLimitJe;
    copy.useReplyStartLimitJe = true;
    copy.multiJudge = 0;
    copy.useShowLimitEJ4 = true;
    copy.showLimitEJ4 = 1300;
    copy.useShowLimitJE4 = true;
    copy.showLimitJE4 = 1300;
    copy.useVoice = true;
    copy.useWavvoice = false;
    copy.skinPath = settings.SkinPath;
    copy.databasePath = settings.DatabaseFilename;
    copy.logPath = settings.LogPath;
    copy.webdicPath = settings.WebdiciniPath;
}

OptionsEnabling enabledControls(const OptionsCopy &c, bool speechAvailable)
{
    OptionsEnabling e;
    e.orderRadios = c.hideOrderDialog;
    e.correctSoundFields = c.correctSound;
    e.incorrectSoundFields = c.incorrectSound;
    e.multiJudgeOverN = c.multiJudge == 1;
    e.replyStartLimitJe = c.useReplyStartLimitJe;
    e.nCorrectHeadNAnswerJE = c.correctHeadNAnswerJE;
    e.replyLimitEJ = c.useReplyLimitEJ;
    e.showLimitEJ4 = c.useShowLimitEJ4;
    e.replyLimitEJ4 = c.useReplyLimitEJ4;
    e.showLimitJE4 = c.useShowLimitJE4;
    e.replyLimitJE4 = c.useReplyLimitJE4;
    // Without an engine the voice switch cannot be changed, but recorded WAV files still
    // play on its value; the synthesised voice (test, rate, volume, format) matters only
    // while it is the voice in use.
    e.useVoice = speechAvailable;
    e.useWavvoice = c.useVoice;
    const bool synthesised = speechAvailable && c.useVoice && !c.useWavvoice;
    e.voiceTest = synthesised;
    e.voiceRate = synthesised;
    e.voiceVolume = synthesised;
    e.voiceFormat = synthesised;
    return e;
}

const std::vector<std::string> &opacityEntries()
{
    static const std::vector<std::string> entries = makeOpacityEntries();
    return entries;
}

int opacityIndexOf(int opacity)
{
    const std::string prefix = std::to_string(opacity) + "%";
    const std::vector<std::string> &entries = opacityEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (startsWithIgnoringCase(entries[i], prefix))
            return int(i);
    }
    return 0;
}

int opacityOfEntry(const std::string &entry)
{
    std::string head = entry.substr(0, 3);
    if (head.size() == 3 && head[2] == '%')
        head.pop_back();
    return std::atoi(head.c_str());
}

const std::vector<std::string> &voiceFormatEntries()
{
    static const std::vector<std::string> entries = makeVoiceFormatEntries();
    return entries;
}

int voiceFormatIndexOf(int voiceFormat)
{
    const int index = voiceFormat - kFirstVoiceFormat;
    return index >= 0 && index < int(voiceFormatEntries().size()) ? index : -1;
}

} // namespace kvr
