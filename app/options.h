#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/settingranges.h"
#include "app/webdictionary.h"

namespace kvr {

class IPrompter;
class ISoundPlayer;
struct CKvrSettings;

// The pages of the options sheet; the numbers are the tree items' data.
enum class OptionPage {
    General = 10,
    Reply = 20,
    ReplyInput = 23,
    ReplySelect = 24,
    Skin = 21,
    Voice = 22,
    Webdic = 40,
    File = 30,
};

// The web-dictionary page: its rows, the selected row and the fields below the list.
struct WebDictionaryPage
{
    std::vector<WebDictionary> rows;
    int selected = -1;
    WebDictionary fields; // type combo, title, head, foot (enabled is unused)

    bool operator==(const WebDictionaryPage &) const = default;
};

// What the sheet's controls hold, Qt-free: the pages load their widgets from it and collect
// them back into it. Texts are CP932. Field names are the widgets' object names.
struct OptionsCopy
{
    // 全般
    int defaultQuestions = 0;
    bool hideOrderDialog = false; // "出題順序の選択ﾀﾞｲｱﾛｸﾞを表示しない(&T)"
    bool sequentialOrder = false; // radio "問題集での出題順" (else "ランダム")
    bool hideCountDialog = false; // hidden, never ticked
    std::int32_t backgroundColor = 0;
    // 回答
    bool alwaysShowHint = false;
    bool randomMistakeReply = false; // radio "ランダム" (else "間違えた順")
    int correctWaitTime = 0;
    int incorrectWaitTime = 0;
    bool correctSound = false;
    std::string correctSoundFile;
    bool incorrectSound = false;
    std::string incorrectSoundFile;
    int opacityIndex = 0; // entry of opacityEntries()
    // 直接入力モード
    int multiJudge = 0; // radio index: 0 "全問回答で正解(&C)", 1 "N 問回答で正解(&N)", else none
    int multiJudgeOverN = 1;
    bool ignoreCase = false;
    bool foldFullWidth = false; // "全角の英数字・記号を半角として判定する"
    bool useReplyStartLimitJe = false;
    int replyStartLimitJe = 0;
    bool correctHeadNAnswerJE = false;
    int nCorrectHeadNAnswerJE = 0;
    bool useReplyLimitEJ = false;
    int replyLimitEJ = 0;
    // ４択モード
    bool useShowLimitEJ4 = false;
    int showLimitEJ4 = 0;
    bool useReplyLimitEJ4 = false;
    int replyLimitEJ4 = 0;
    bool useShowLimitJE4 = false;
    int showLimitJE4 = 0;
    bool useReplyLimitJE4 = false;
    int replyLimitJE4 = 0;
    // 画面デザイン
    std::string skinPath;
    // 音声再生
    bool useVoice = false;
    bool useWavvoice = false;
    bool useJEVoice = false; // the three hidden checks
    bool useJEVoice2 = false;
    bool useEJ4Voice = false;
    int voiceRate = 0;
    int voiceVolume = 0;
    int formatIndex = -1; // entry of voiceFormatEntries(), -1 none
    // ファイル
    std::string databasePath;
    std::string logPath;
    std::string webdicPath;
    std::string wavFolder;
    // Web辞書検索
    WebDictionaryPage webdic;

    // Text fields whose typed text CP932 cannot hold, noted by the pages when they collect
    // (the field keeps its previous value); OutOfControls refuses while there is one.
    struct Unstorable
    {
        std::string field;
        std::string label; // CP932, e.g. "データベース"
        bool operator==(const Unstorable &) const = default;
    };
    std::vector<Unstorable> unstorable;

    bool operator==(const OptionsCopy &) const = default;
};

enum class Transfer { IntoControls, OutOfControls };

struct TransferResult
{
    bool ok = true;
    std::string failedField; // the field to focus after a failed range check
};

// The one routine between the settings record and the controls.
//
// IntoControls fills copy from settings (the web-dictionary page is left alone).
// OutOfControls checks and stores, in this order, stopping at the first failure: texts
// that CP932 cannot hold, the ranges of every enabled number field, the wait times, the two effect
// sounds (a ticked sound is played once and stopped; a file that cannot be played fails with its
// message), the answer order, the hidden count check, IgnoreCase, FoldFullWidth, AlwaysShowHint,
// IsRandomMistakeReply, the time limits, MultiJudge and its N, the voice values,
// nDefaultQuestions, Opacity, the paths, BackgroundColor and the head-answer values; then it
// fills copy again from the result. A failure is shown through prompter (except
// "更新できませんでした", which is the caller's) and leaves settings untouched: the values
// are stored together or not at all.
TransferResult transferOptions(Transfer direction, CKvrSettings &settings, OptionsCopy &copy,
                               ISoundPlayer &sound, IPrompter &prompter);

// While a text field holds a text CP932 cannot hold: says which and returns true.
bool refuseUnstorable(const OptionsCopy &copy, IPrompter &prompter);

// A number field with the range it accepts; failedField names one of these.
struct RangeFailure
{
    std::string field;
    std::string message; // "%d から %d までの整数を入力してください。" (CP932)
};
// The range check of one page: its first enabled number field outside its range. A
// disabled field keeps whatever value it was loaded with.
std::optional<RangeFailure> checkFields(OptionPage page, const OptionsCopy &copy);
// The accepted range of a number field (also its arrows' range); nothing for other names.
std::optional<FieldRange> fieldRange(const std::string &field);

// "標準(&D)": sets only its controls, the others keep their values.
void restoreDefaults(OptionsCopy &copy, const CKvrSettings &settings);

// Which controls can be used, decided from the controls' own values.
struct OptionsEnabling
{
    bool orderRadios = false;
    bool correctSoundFields = false; // file field, "参照", "ﾃｽﾄ"
    bool incorrectSoundFields = false;
    bool multiJudgeOverN = false;
    bool replyStartLimitJe = false; // field, arrows and label
    bool nCorrectHeadNAnswerJE = false;
    bool replyLimitEJ = false;
    bool showLimitEJ4 = false;
    bool replyLimitEJ4 = false;
    bool showLimitJE4 = false;
    bool replyLimitJE4 = false;
    // 音声再生
    bool useVoice = false;
    bool useWavvoice = false;
    bool voiceTest = false; // test field and "ﾃｽﾄ"
    bool voiceRate = false;
    bool voiceVolume = false;
    bool voiceFormat = false;

    bool operator==(const OptionsEnabling &) const = default;
};
OptionsEnabling enabledControls(const OptionsCopy &copy, bool speechAvailable);

// The opacity list, " 0% （透明）" … "100% （解除）" (CP932).
const std::vector<std::string> &opacityEntries();
// The entry that begins with Opacity followed by "%" (ASCII case ignored), else 0.
int opacityIndexOf(int opacity);
// The stored value of an entry: its first three characters, without a third "%", as a
// decimal number.
int opacityOfEntry(const std::string &entry);

// The 36 speech formats "8kHz 8 Bit Mono" … "48kHz 16 Bit Stereo"; entry i stores i + 4.
const std::vector<std::string> &voiceFormatEntries();
int voiceFormatIndexOf(int voiceFormat); // -1 when no entry stores it
constexpr int kFirstVoiceFormat = 4;

constexpr int kVoiceRateMinimum = -10;
constexpr int kVoiceRateMaximum = 10;
constexpr int kVoiceVolumeMaximum = 100;
constexpr int kSliderPageStep = 5;

} // namespace kvr
