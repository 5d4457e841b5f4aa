#include "app/kvrsettings.h"
#include "app/options.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/sound.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

// Moves one value between a setting and its control in the given direction.
template <typename T> void exchange(Transfer direction, T &setting, T &control)
{
    if (direction == Transfer::IntoControls)
        control = setting;
    else
        setting = control;
}

void warn(IPrompter &prompter, std::string text)
{
    Message message;
    message.text = std::move(text);
    message.icon = Icon::Warning;
    prompter.ask(message);
}

// A ticked effect sound must be a file the player can play: it is played once and stopped.
bool transferSound(Transfer direction, std::string &setting, bool &ticked, std::string &file,
                   ISoundPlayer &sound, IPrompter &prompter, const char *missingMessage)
{
    if (direction == Transfer::IntoControls) {
        ticked = !setting.empty();
        file = setting;
        return true;
    }
    if (!ticked) {
        setting.clear();
        return true;
    }
    if (file.empty() || !sound.play(file)) {
        warn(prompter, cp932::text(missingMessage));
        return false;
    }
    sound.stop();
    setting = file;
    return true;
}

void transferOrder(Transfer direction, CKvrSettings &s, OptionsCopy &c)
{
    if (direction == Transfer::IntoControls) {
        c.hideOrderDialog = !s.ShowConfirmOrderDlg;
        c.sequentialOrder = s.IsSequencial;
        c.hideCountDialog = !s.ShowCorrectNumbersDlg;
        return;
    }
    s.ShowConfirmOrderDlg = !c.hideOrderDialog;
    if (c.hideOrderDialog)
        s.IsSequencial = c.sequentialOrder;
    s.ShowCorrectNumbersDlg = !c.hideCountDialog;
}

void transferLimits(Transfer d, CKvrSettings &s, OptionsCopy &c)
{
    exchange(d, s.UseReplyStartLimitJe, c.useReplyStartLimitJe);
    exchange(d, s.ReplyStartLimitJe, c.replyStartLimitJe);
    exchange(d, s.UseReplyLimitEJ, c.useReplyLimitEJ);
    exchange(d, s.ReplyLimitEJ, c.replyLimitEJ);
    exchange(d, s.UseShowLimitEJ4, c.useShowLimitEJ4);
    exchange(d, s.ShowLimitEJ4, c.showLimitEJ4);
    exchange(d, s.UseReplyLimitEJ4, c.useReplyLimitEJ4);
    exchange(d, s.ReplyLimitEJ4, c.replyLimitEJ4);
    exchange(d, s.UseShowLimitJE4, c.useShowLimitJE4);
    exchange(d, s.ShowLimitJE4, c.showLimitJE4);
    exchange(d, s.UseReplyLimitJE4, c.useReplyLimitJE4);
    exchange(d, s.ReplyLimitJE4, c.replyLimitJE4);
    if (d == Transfer::IntoControls)
        c.multiJudge = s.MultiJudge;
    else
        s.MultiJudge = c.multiJudge == 1 ? 1 : 0;
    exchange(d, s.MultiJudgeOverN, c.multiJudgeOverN);
}

void transferVoice(Transfer d, CKvrSettings &s, OptionsCopy &c)
{
    exchange(d, s.UseVoice, c.useVoice);
    exchange(d, s.UseWavvoice, c.useWavvoice);
    exchange(d, s.UseJEVoice, c.useJEVoice);
    exchange(d, s.UseJEVoice2, c.useJEVoice2);
    exchange(d, s.UseEJ4Voice, c.useEJ4Voice);
    exchange(d, s.VoiceRate, c.voiceRate);
    exchange(d, s.VoiceVolume, c.voiceVolume);
    if (d == Transfer::IntoControls)
        c.formatIndex = voiceFormatIndexOf(s.VoiceFormat);
    else if (c.formatIndex >= 0 && c.formatIndex < int(voiceFormatEntries().size()))
        s.VoiceFormat = c.formatIndex + kFirstVoiceFormat;
}

void transferOpacity(Transfer d, CKvrSettings &s, OptionsCopy &c)
{
    const std::vector<std::string> &entries = opacityEntries();
    if (d == Transfer::IntoControls)
        c.opacityIndex = opacityIndexOf(s.Opacity);
    else if (c.opacityIndex >= 0 && c.opacityIndex < int(entries.size()))
        s.Opacity = opacityOfEntry(entries[c.opacityIndex]);
}

void transferPaths(Transfer d, CKvrSettings &s, OptionsCopy &c)
{
    exchange(d, s.DatabaseFilename, c.databasePath);
    exchange(d, s.SkinPath, c.skinPath);
    exchange(d, s.LogPath, c.logPath);
    exchange(d, s.WebdiciniPath, c.webdicPath);
    exchange(d, s.Wavefiledir, c.wavFolder);
}

// Every value in the sheet's order; false at the first effect sound that fails.
bool transferValues(Transfer d, CKvrSettings &s, OptionsCopy &c, ISoundPlayer &sound,
                    IPrompter &prompter)
{
    exchange(d, s.CorrectWaitTime, c.correctWaitTime);
    exchange(d, s.IncorrectWaitTime, c.incorrectWaitTime);
    if (!transferSound(d, s.CorrectSoundfile, c.correctSound, c.correctSoundFile, sound, prompter,
                       "正解時の効果音ファイルが見つかりません。設定し直してください。")
        || !transferSound(d, s.IncorrectSoundfile, c.incorrectSound, c.incorrectSoundFile, sound,
                          prompter,
                          "不正解時の効果音ファイルが見つかりません。設定し直してください。"))
        return false;
    transferOrder(d, s, c);
    exchange(d, s.IgnoreCase, c.ignoreCase);
    exchange(d, s.FoldFullWidth, c.foldFullWidth);
    exchange(d, s.AlwaysShowHint, c.alwaysShowHint);
    exchange(d, s.IsRandomMistakeReply, c.randomMistakeReply);
    transferLimits(d, s, c);
    transferVoice(d, s, c);
    exchange(d, s.nDefaultQuestions, c.defaultQuestions);
    transferOpacity(d, s, c);
    transferPaths(d, s, c);
    exchange(d, s.BackgroundColor, c.backgroundColor);
    exchange(d, s.CorrectHeadNAnswerJE, c.correctHeadNAnswerJE);
    exchange(d, s.nCorrectHeadNAnswerJE, c.nCorrectHeadNAnswerJE);
    return true;
}

constexpr OptionPage kPageOrder[] = {
    OptionPage::General, OptionPage::Reply, OptionPage::ReplyInput, OptionPage::ReplySelect,
    OptionPage::Skin,    OptionPage::Voice, OptionPage::Webdic,     OptionPage::File,
};

} // namespace

bool refuseUnstorable(const OptionsCopy &copy, IPrompter &prompter)
{
    if (copy.unstorable.empty())
        return false;
    warn(prompter,
         formatText(cp932::text("「%s」に使えない文字が含まれています。\n\n"
                                "このプログラムで扱えない文字（一部の記号や外国の文字など）を"
                                "除いて入力してください。"),
                    copy.unstorable.front().label.c_str()));
    return true;
}

TransferResult transferOptions(Transfer direction, CKvrSettings &settings, OptionsCopy &copy,
                               ISoundPlayer &sound, IPrompter &prompter)
{
    if (direction == Transfer::IntoControls) {
        transferValues(direction, settings, copy, sound, prompter);
        return {};
    }
    if (refuseUnstorable(copy, prompter))
        return { false, copy.unstorable.front().field };
    for (OptionPage page : kPageOrder) {
        if (std::optional<RangeFailure> failure = checkFields(page, copy)) {
            warn(prompter, failure->message);
            return { false, failure->field };
        }
    }
    CKvrSettings result = settings;
    if (!transferValues(direction, result, copy, sound, prompter))
        return { false, {} };
    settings = result;
    transferValues(Transfer::IntoControls, settings, copy, sound, prompter);
    return {};
}

} // namespace kvr
