#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvr {

// A rectangle in dialog client pixels. In the file it is "x, y, width, height".
struct SkinRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const SkinRect &) const = default;
};

struct SkinPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const SkinPoint &) const = default;
};

// The layout of the drill window. Fields carry the names of their keys in section
// "Design" of a skin file; every field starts at its built-in default. Texts are CP932.
struct CSkin
{
    std::string DesignName;
    int DlgWidth_n = 800;
    int DlgHeight_n = 400;
    int ReplyInfoNormalFontSize_n = 15;
    int ReplyInfoBigFontSize_n = 20;
    SkinPoint ReplyInfo_ReplyInfo_pos { 7, 15 };
    SkinPoint ReplyInfo_OutputBase_pos { 10, 50 };
    int ReplyInfo_OutputSpan_n = 25;
    int PaddingX_n = 95;
    SkinRect TitleMessage_rc;
    SkinRect LastQuestionModify_rc;
    SkinRect InfoGroup_rc;
    SkinRect AllQuestionsStatic_rc;
    SkinRect RemindQuestionsStatic_rc;
    SkinRect CorrectsStatic_rc;
    SkinRect IncorrectsStatic_rc;
    SkinRect AllQuestions_rc;
    SkinRect RemindQuestions_rc;
    SkinRect CorrectsNow_rc;
    SkinRect IncorrectsNow_rc;
    SkinRect CorrectsTotal_rc;
    SkinRect IncorrectsTotal_rc;
    SkinRect CorrectingRate_rc;
    SkinPoint ReplyedSign_OutputBase_pos { 620, 85 };
    SkinRect BigResult_rc;
    SkinRect ResultComment_rc;
    SkinRect Result_rc;
    SkinRect AnswerIndicater_rc;
    std::string QuestionTitle_str;
    SkinPoint QuestionTitle_pos { 105, 220 };
    SkinRect Question_rc;
    std::string AnswerTitle_str;
    SkinPoint AnswerTitle_pos { 105, 267 };
    SkinRect InputArea_rc;
    std::string HintTitle_str;
    SkinPoint HintTitle_pos { 105, 295 };
    SkinRect HintButton_rc;
    SkinRect Hint_rc;
    SkinRect OkButton_rc;
    SkinRect CancelButton_rc;
    SkinRect Progress_rc;
    SkinRect TransLimitBar_rc;
    SkinRect ReplyButton1_rc;
    SkinRect ReplyButton2_rc;
    SkinRect ReplyButton3_rc;
    SkinRect ReplyButton4_rc;
    SkinRect ReplyAnswer1_rc;
    SkinRect ReplyAnswer2_rc;
    SkinRect ReplyAnswer3_rc;
    SkinRect ReplyAnswer4_rc;
    SkinRect EJQuestion_rc;

    // Every value at its built-in default (the rectangles and texts included).
    CSkin();

    // Resets to the defaults, then reads the file at path, or, when there is none, the
    // file at the program folder joined with path. False (defaults kept) for an empty
    // path, no file or an unreadable one. _str keys and DesignName missing from an existing
    // file become empty.
    bool loadSkin(std::string_view path);
    bool loadSkin(std::string_view path, std::string_view programFolder);

    // Choice button / choice text field n (1…4); null outside.
    const SkinRect *replyButton(int n) const;
    const SkinRect *replyAnswer(int n) const;

    bool operator==(const CSkin &) const = default;
};

// Parses "%d, %d" / "%d, %d, %d, %d" as the C library's sscanf would: each comma directly
// after its integer, blanks allowed before an integer, text after the last one ignored.
// False unless all integers are there.
bool parseSkinPoint(std::string_view text, SkinPoint &point);
bool parseSkinRect(std::string_view text, SkinRect &rect);

// Every position and every rectangle field of a skin, in the order of the keys.
std::vector<SkinPoint *> skinPoints(CSkin &skin);
std::vector<SkinRect *> skinRects(CSkin &skin);

// One entry of the drill window's skin menu.
struct SkinMenuEntry
{
    std::string path; // CP932
    std::string designName; // the file's DesignName (may be empty)
    bool selectable = false; // only the first kSelectableSkins entries can be chosen
    bool current = false; // the file the skin path names (the menu marks it)
};
constexpr int kSelectableSkins = 20;

// The "*.ini" files (case-insensitive) in the folder of skinPath, by name, each loaded once
// for its DesignName. A relative folder not found is looked up under the program folder, as
// loadSkin does. The entry of the file skinPath names is marked current.
std::vector<SkinMenuEntry> listSkins(std::string_view skinPath);
std::vector<SkinMenuEntry> listSkins(std::string_view skinPath, std::string_view programFolder);

// Font faces the drill window paints with (CP932).
std::string gothicFontName(); // "ＭＳ ゴシック"
std::string minchoFontName(); // "ＭＳ 明朝"

} // namespace kvr
