#include <gtest/gtest.h>

#include "app/kvrsettings.h"
#include "app/options.h"
#include "app/optionsfakes.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/testsupport_prompter.h"

namespace kvr {
namespace {

using test::CRecordingSoundPlayer;
using test::CScriptedPrompter;

// Every value the sheet shows away from its default, and every one valid for the sheet.
CKvrSettings unusualSettings()
{
    CKvrSettings s;
    s.InstallPath = "/opt/kvr";
    s.DatabaseFilename = "/d/\x95\x5C.kvr";
    s.SkinPath = "/s/blue.ini";
    s.LogPath = "/l/log.txt";
    s.WebdiciniPath = "/w/web.ini";
    s.ShowConfirmOrderDlg = false;
    s.IgnoreCase = false;
    s.IsSequencial = true;
    s.nDefaultQuestions = 35;
    s.IsRandomMistakeReply = true;
    s.CorrectWaitTime = 100;
    s.IncorrectWaitTime = 1200;
    s.CorrectSoundfile = "";
    s.IncorrectSoundfile = "/snd/bad.wav";
    s.ReplyStartLimitJe = 2000;
    s.UseReplyStartLimitJe = false;
    s.ReplyLimitEJ = 9000;
    s.UseReplyLimitEJ = false;
    s.ShowLimitEJ4 = 200;
    s.UseShowLimitEJ4 = false;
    s.ReplyLimitEJ4 = 7000;
    s.UseReplyLimitEJ4 = false;
    s.ShowLimitJE4 = 300;
    s.UseShowLimitJE4 = false;
    s.ReplyLimitJE4 = 8000;
    s.UseReplyLimitJE4 = false;
    s.AlwaysShowHint = true;
    s.MultiJudge = 1;
    s.MultiJudgeOverN = 3;
    s.UseVoice = false;
    s.UseJEVoice = false;
    s.UseJEVoice2 = false;
    s.UseEJ4Voice = false;
    s.VoiceRate = -4;
    s.VoiceVolume = 55;
    s.VoiceFormat = 12;
    s.UseWavvoice = true;
    s.Wavefiledir = "/v/wav";
    s.BackgroundColor = 0x00102030;
    s.Opacity = 40;
    s.CorrectHeadNAnswerJE = false;
    s.nCorrectHeadNAnswerJE = 4;
    s.FoldFullWidth = false;
    return s;
}

class OptionsTransferTest : public testing::Test
{
protected:
    OptionsCopy into(CKvrSettings &settings)
    {
        OptionsCopy copy;
        transferOptions(Transfer::IntoControls, settings, copy, m_sound, m_prompter);
        return copy;
    }
    TransferResult out(CKvrSettings &settings, OptionsCopy &copy)
    {
        return transferOptions(Transfer::OutOfControls, settings, copy, m_sound, m_prompter);
    }

    CRecordingSoundPlayer m_sound;
    CScriptedPrompter m_prompter;
};

TEST_F(OptionsTransferTest, EveryValueGoesOutAsItCameIn)
{
    for (const CKvrSettings &original : { unusualSettings(), CKvrSettings() }) {
        CKvrSettings settings = original;
        OptionsCopy copy = into(settings);
        ASSERT_TRUE(out(settings, copy).ok);
        EXPECT_EQ(settings, original);
        EXPECT_TRUE(m_prompter.asked.empty());
    }
}

TEST_F(OptionsTransferTest, EveryControlReachesItsSetting)
{
    CKvrSettings settings;
    OptionsCopy copy = into(settings);
    CKvrSettings expected = unusualSettings();
    expected.InstallPath = settings.InstallPath;
    CKvrSettings source = expected;
    OptionsCopy changed = into(source);
    ASSERT_TRUE(out(settings, changed).ok);
    EXPECT_EQ(settings, expected);
    EXPECT_NE(copy, changed);
}

TEST_F(OptionsTransferTest, OutOfRangeValuesAreRefusedWithTheRangeMessage)
{
    struct Row
    {
        int OptionsCopy::*field;
        const char *name;
        int minimum, maximum;
    };
    const Row rows[] = {
        { &OptionsCopy::defaultQuestions, "defaultQuestions", 0, 200 },
        { &OptionsCopy::correctWaitTime, "correctWaitTime", 0, 2000 },
        { &OptionsCopy::incorrectWaitTime, "incorrectWaitTime", 0, 2000 },
        { &OptionsCopy::multiJudgeOverN, "multiJudgeOverN", 1, 5 },
        { &OptionsCopy::replyStartLimitJe, "replyStartLimitJe", 500, 30000 },
        { &OptionsCopy::nCorrectHeadNAnswerJE, "nCorrectHeadNAnswerJE", 1, 50 },
        { &OptionsCopy::replyLimitEJ, "replyLimitEJ", 1000, 30000 },
        { &OptionsCopy::showLimitEJ4, "showLimitEJ4", 0, 5000 },
        { &OptionsCopy::replyLimitEJ4, "replyLimitEJ4", 1000, 30000 },
        { &OptionsCopy::showLimitJE4, "showLimitJE4", 0, 5000 },
        { &OptionsCopy::replyLimitJE4, "replyLimitJE4", 1000, 30000 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        for (int value : { row.minimum - 1, row.minimum, row.maximum, row.maximum + 1 }) {
            CKvrSettings settings;
            OptionsCopy copy = into(settings);
            copy.multiJudge = 1;
            copy.*row.field = value;
            m_prompter.asked.clear();
            const TransferResult result = out(settings, copy);
            const bool inRange = value >= row.minimum && value <= row.maximum;
            EXPECT_EQ(result.ok, inRange) << value;
            if (inRange)
                continue;
            EXPECT_EQ(result.failedField, row.name);
            EXPECT_EQ(m_prompter.texts(),
                      std::vector<std::string> { sj(std::to_string(row.minimum) + " から "
                                                    + std::to_string(row.maximum)
                                                    + " までの整数を入力してください。") });
            EXPECT_EQ(settings, CKvrSettings()) << "nothing stored";
        }
        EXPECT_EQ(fieldRange(row.name)->maximum, row.maximum);
    }
}

TEST_F(OptionsTransferTest, ADisabledFieldKeepsTheValueItWasLoadedWith)
{
    CKvrSettings settings;
    settings.UseReplyStartLimitJe = false;
    settings.ReplyStartLimitJe = 100; // below the field's range
    settings.MultiJudge = 0;
    settings.MultiJudgeOverN = 0;
    OptionsCopy copy = into(settings);
    EXPECT_TRUE(out(settings, copy).ok);
    EXPECT_EQ(settings.ReplyStartLimitJe, 100);
    EXPECT_EQ(settings.MultiJudgeOverN, 0);

    copy.useReplyStartLimitJe = true;
    EXPECT_EQ(out(settings, copy).failedField, "replyStartLimitJe");
}

TEST_F(OptionsTransferTest, ATickedEffectSoundMustPlay)
{
    struct Row
    {
        const char *file;
        bool playable;
        const char *message; // empty: accepted
    };
    const Row rows[] = {
        { "", true, "正解時の効果音ファイルが見つかりません。設定し直してください。" },
        { "/x/broken.wav", false,
          "正解時の効果音ファイルが見つかりません。設定し直してください。" },
        { "/x/ok.wav", true, "" },
    };
    for (const Row &row : rows) {
        CKvrSettings settings;
        settings.CorrectWaitTime = 600;
        OptionsCopy copy = into(settings);
        copy.correctWaitTime = 900; // stored before the sound in the order, yet not kept
        copy.correctSound = true;
        copy.correctSoundFile = row.file;
        m_sound.playable = row.playable;
        m_sound.calls.clear();
        m_prompter.asked.clear();
        const bool ok = out(settings, copy).ok;
        EXPECT_EQ(ok, *row.message == 0) << row.file;
        if (ok) {
            EXPECT_EQ(settings.CorrectSoundfile, row.file);
            EXPECT_EQ(m_sound.calls, (std::vector<std::string> { "play /x/ok.wav", "stop sound" }));
            continue;
        }
        EXPECT_EQ(m_prompter.texts(), std::vector<std::string> { sj(row.message) });
        EXPECT_EQ(settings.CorrectWaitTime, 600);
    }
}

TEST_F(OptionsTransferTest, SoundChecksRunInOrderAndUntickedSoundsAreEmptied)
{
    CKvrSettings settings;
    settings.CorrectSoundfile = "/a.wav";
    settings.IncorrectSoundfile = "/b.wav";
    OptionsCopy copy = into(settings);
    EXPECT_TRUE(copy.correctSound && copy.incorrectSound);
    m_sound.unplayable = { "/b.wav" };
    EXPECT_FALSE(out(settings, copy).ok);
    EXPECT_EQ(m_prompter.texts(),
              std::vector<std::string> {
                  sj("不正解時の効果音ファイルが見つかりません。設定し直してください。") });

    copy.incorrectSound = false;
    ASSERT_TRUE(out(settings, copy).ok);
    EXPECT_EQ(settings.IncorrectSoundfile, "");
    EXPECT_EQ(copy.incorrectSoundFile, "") << "the controls show the stored value";
}

TEST_F(OptionsTransferTest, TheOrderRadiosCountOnlyWhileTheOrderDialogIsOff)
{
    CKvrSettings settings;
    settings.IsSequencial = true;
    OptionsCopy copy = into(settings);
    EXPECT_FALSE(copy.hideOrderDialog);
    copy.sequentialOrder = false;
    ASSERT_TRUE(out(settings, copy).ok);
    EXPECT_TRUE(settings.ShowConfirmOrderDlg);
    EXPECT_TRUE(settings.IsSequencial);

    copy.hideOrderDialog = true;
    copy.sequentialOrder = false;
    ASSERT_TRUE(out(settings, copy).ok);
    EXPECT_FALSE(settings.ShowConfirmOrderDlg);
    EXPECT_FALSE(settings.IsSequencial);
}

TEST_F(OptionsTransferTest, ChoiceValuesWithoutAnEntry)
{
    CKvrSettings settings;
    settings.MultiJudge = 2;
    settings.VoiceFormat = 3;
    settings.Opacity = 5;
    OptionsCopy copy = into(settings);
    EXPECT_EQ(copy.formatIndex, -1);
    EXPECT_EQ(copy.opacityIndex, 0);
    ASSERT_TRUE(out(settings, copy).ok);
    EXPECT_EQ(settings.MultiJudge, 0);
    EXPECT_EQ(settings.VoiceFormat, 3) << "no entry chosen: the value stays";
    EXPECT_EQ(settings.Opacity, 0);
}

TEST_F(OptionsTransferTest, TextsCp932CannotHoldAreRefusedFirst)
{
    CKvrSettings settings;
    OptionsCopy copy = into(settings);
    copy.defaultQuestions = 500;
    copy.unstorable.push_back({ "logPath", sj("回答履歴ファイル") });
    const TransferResult result = out(settings, copy);
    EXPECT_EQ(result.failedField, "logPath");
    ASSERT_EQ(m_prompter.asked.size(), 1u);
    EXPECT_EQ(m_prompter.asked[0].text.rfind(sj("「回答履歴ファイル」に使えない文字"), 0), 0u);
}

TEST(OptionsLists, OpacityEntriesAndTheirValues)
{
    const std::vector<std::string> &entries = opacityEntries();
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries.front(), sj(" 0% （透明）"));
    EXPECT_EQ(entries[5], "50%");
    EXPECT_EQ(entries.back(), sj("100% （解除）"));
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(opacityOfEntry(entries[i]), int(i) * 10);
    const std::pair<int, int> found[] = { { 0, 0 }, { 10, 1 }, { 80, 8 }, { 100, 10 },
                                          { 5, 0 }, { 1, 0 },  { -5, 0 } };
    for (auto [opacity, index] : found)
        EXPECT_EQ(opacityIndexOf(opacity), index) << opacity;
}

TEST(OptionsLists, VoiceFormatsStoreTheirIndexPlusFour)
{
    const std::vector<std::string> &entries = voiceFormatEntries();
    ASSERT_EQ(entries.size(), 36u);
    const std::pair<int, const char *> named[] = {
        { 0, "8kHz 8 Bit Mono" },    { 1, "8kHz 8 Bit Stereo" },    { 2, "8kHz 16 Bit Mono" },
        { 3, "8kHz 16 Bit Stereo" }, { 4, "11kHz 8 Bit Mono" },     { 23, "24kHz 16 Bit Stereo" },
        { 28, "44kHz 8 Bit Mono" },  { 35, "48kHz 16 Bit Stereo" },
    };
    for (auto [index, name] : named)
        EXPECT_EQ(entries[index], name);
    EXPECT_EQ(voiceFormatIndexOf(4), 0);
    EXPECT_EQ(voiceFormatIndexOf(27), 23);
    EXPECT_EQ(voiceFormatIndexOf(39), 35);
    EXPECT_EQ(voiceFormatIndexOf(40), -1);
}

TEST(OptionsDefaults, OnlyTheirControlsChange)
{
    CKvrSettings settings = unusualSettings();
    OptionsCopy copy;
    CRecordingSoundPlayer sound;
    CScriptedPrompter prompter;
    transferOptions(Transfer::IntoControls, settings, copy, sound, prompter);
    copy.skinPath = "/typed/skin.ini";
    copy.wavFolder = "/typed/wav";
    OptionsCopy expected = copy;
    expected.hideCountDialog = false;
    expected.hideOrderDialog = true;
    expected.correctWaitTime = expected.incorrectWaitTime = 600;
    expected.backgroundColor = 16765088;
    expected.correctSoundFile = "/opt/kvr/Datas/Correct.wav";
    expected.incorrectSoundFile = "/opt/kvr/Datas/Incorrect.wav";
    expected.alwaysShowHint = false;
    expected.ignoreCase = true;
    expected.replyStartLimitJe = 3000;
    expected.useReplyStartLimitJe = true;
    expected.multiJudge = 0;
    expected.useShowLimitEJ4 = expected.useShowLimitJE4 = true;
    expected.showLimitEJ4 = expected.showLimitJE4 = 1300;
    expected.useVoice = true;
    expected.useWavvoice = false;
    expected.skinPath = settings.SkinPath;
    restoreDefaults(copy, settings);
    EXPECT_EQ(copy, expected);
}

TEST(OptionsEnablingRules, VoicePageForEachCombination)
{
    struct Row
    {
        bool speech, useVoice, useWav;
        bool voiceCheck, wavCheck, synthesised;
    };
    const Row rows[] = {
        { true, true, false, true, true, true },      { true, true, true, true, true, false },
        { true, false, false, true, false, false },   { true, false, true, true, false, false },
        { false, true, false, false, true, false },   { false, true, true, false, true, false },
        { false, false, false, false, false, false },
    };
    for (const Row &row : rows) {
        OptionsCopy copy;
        copy.useVoice = row.useVoice;
        copy.useWavvoice = row.useWav;
        const OptionsEnabling e = enabledControls(copy, row.speech);
        SCOPED_TRACE(testing::Message() << row.speech << row.useVoice << row.useWav);
        EXPECT_EQ(e.useVoice, row.voiceCheck);
        EXPECT_EQ(e.useWavvoice, row.wavCheck);
        for (bool synthesised : { e.voiceTest, e.voiceRate, e.voiceVolume, e.voiceFormat })
            EXPECT_EQ(synthesised, row.synthesised);
    }
}

} // namespace
} // namespace kvr
