#include "drill/skin.h"

#include <cctype>
#include <climits>

#include "app/skinlist.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/inifile.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

constexpr std::string_view kSection = "Design";
// The profile functions read a value into a buffer of this many bytes, terminator included.
constexpr std::size_t kValueBuffer = 1024;

// A rectangle written in the file form x, y, width, height.
constexpr SkinRect fromFileForm(int x, int y, int width, int height)
{
    return { x, y, x + width, y + height };
}

struct IntKey
{
    const char *name;
    int CSkin::*field;
};
struct PointKey
{
    const char *name;
    SkinPoint CSkin::*field;
};
struct RectKey
{
    const char *name;
    SkinRect CSkin::*field;
};
struct TextKey
{
    const char *name;
    std::string CSkin::*field;
};

// clang-format off
#define KVR_SKIN_KEY(field) { #field, &CSkin::field }

constexpr IntKey kIntKeys[] = {
    KVR_SKIN_KEY(DlgWidth_n),                KVR_SKIN_KEY(DlgHeight_n),
    KVR_SKIN_KEY(ReplyInfoNormalFontSize_n), KVR_SKIN_KEY(ReplyInfoBigFontSize_n),
    KVR_SKIN_KEY(ReplyInfo_OutputSpan_n),    KVR_SKIN_KEY(PaddingX_n),
};

constexpr PointKey kPointKeys[] = {
    KVR_SKIN_KEY(ReplyInfo_ReplyInfo_pos),    KVR_SKIN_KEY(ReplyInfo_OutputBase_pos),
    KVR_SKIN_KEY(ReplyedSign_OutputBase_pos), KVR_SKIN_KEY(QuestionTitle_pos),
    KVR_SKIN_KEY(AnswerTitle_pos),            KVR_SKIN_KEY(HintTitle_pos),
};

constexpr RectKey kRectKeys[] = {
    KVR_SKIN_KEY(TitleMessage_rc),          KVR_SKIN_KEY(LastQuestionModify_rc),
    KVR_SKIN_KEY(InfoGroup_rc),             KVR_SKIN_KEY(AllQuestionsStatic_rc),
    KVR_SKIN_KEY(RemindQuestionsStatic_rc), KVR_SKIN_KEY(CorrectsStatic_rc),
    KVR_SKIN_KEY(IncorrectsStatic_rc),      KVR_SKIN_KEY(AllQuestions_rc),
    KVR_SKIN_KEY(RemindQuestions_rc),       KVR_SKIN_KEY(CorrectsNow_rc),
    KVR_SKIN_KEY(IncorrectsNow_rc),         KVR_SKIN_KEY(CorrectsTotal_rc),
    KVR_SKIN_KEY(IncorrectsTotal_rc),       KVR_SKIN_KEY(CorrectingRate_rc),
    KVR_SKIN_KEY(BigResult_rc),             KVR_SKIN_KEY(ResultComment_rc),
    KVR_SKIN_KEY(Result_rc),                KVR_SKIN_KEY(AnswerIndicater_rc),
    KVR_SKIN_KEY(Question_rc),              KVR_SKIN_KEY(InputArea_rc),
    KVR_SKIN_KEY(HintButton_rc),            KVR_SKIN_KEY(Hint_rc),
    KVR_SKIN_KEY(OkButton_rc),              KVR_SKIN_KEY(CancelButton_rc),
    KVR_SKIN_KEY(Progress_rc),              KVR_SKIN_KEY(TransLimitBar_rc),
    KVR_SKIN_KEY(ReplyButton1_rc),          KVR_SKIN_KEY(ReplyButton2_rc),
    KVR_SKIN_KEY(ReplyButton3_rc),          KVR_SKIN_KEY(ReplyButton4_rc),
    KVR_SKIN_KEY(ReplyAnswer1_rc),          KVR_SKIN_KEY(ReplyAnswer2_rc),
    KVR_SKIN_KEY(ReplyAnswer3_rc),          KVR_SKIN_KEY(ReplyAnswer4_rc),
    KVR_SKIN_KEY(EJQuestion_rc),
};

constexpr TextKey kTextKeys[] = {
    KVR_SKIN_KEY(DesignName),        KVR_SKIN_KEY(QuestionTitle_str),
    KVR_SKIN_KEY(AnswerTitle_str),   KVR_SKIN_KEY(HintTitle_str),
};

#undef KVR_SKIN_KEY
// clang-format on

// At most 1023 bytes, as the profile buffer holds, never splitting a double-byte character.
std::string profileValue(const CIniFile &ini, const char *key)
{
    std::string value = ini.getString(kSection, key, "");
    value.resize(cp932::fittingPrefix(value, kValueBuffer - 1));
    return value;
}

bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// One "%d": blanks, an optional sign, at least one digit; false on overflow.
bool scanInt(std::string_view text, std::size_t &pos, int &value)
{
    while (pos < text.size() && isSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const std::size_t digits = pos;
    long long number = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        number = number * 10 + (text[pos++] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (pos == digits)
        return false;
    number = negative ? -number : number;
    if (number > INT_MAX || number < INT_MIN)
        return false;
    value = static_cast<int>(number);
    return true;
}

// count integers separated by "," directly after each; the format's blank after each comma
// matches any run of blanks, which scanInt skips anyway.
bool scanInts(std::string_view text, int *values, int count)
{
    std::size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        if (!scanInt(text, pos, values[i]))
            return false;
        if (i + 1 < count) {
            if (pos >= text.size() || text[pos] != ',')
                return false;
            ++pos;
        }
    }
    return true;
}

// The last part of a path. Only '/' separates on this side (a CP932 trail byte can be a
// backslash), as for parentFolder.
std::string fileNameOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of(env::kPathSeparator == '/' ? "/" : "\\/");
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

void readKeys(CSkin &skin, const CIniFile &ini)
{
    for (const IntKey &key : kIntKeys) {
        const int value = ini.getInt(kSection, key.name, -1);
        if (value != -1)
            skin.*key.field = value;
    }
    for (const PointKey &key : kPointKeys)
        parseSkinPoint(profileValue(ini, key.name), skin.*key.field);
    for (const RectKey &key : kRectKeys)
        parseSkinRect(profileValue(ini, key.name), skin.*key.field);
    for (const TextKey &key : kTextKeys)
        skin.*key.field = profileValue(ini, key.name);
}

} // namespace

CSkin::CSkin()
    : DesignName(cp932::text("標準設定"))
    , TitleMessage_rc(fromFileForm(150, 10, 400, 20))
    , LastQuestionModify_rc(fromFileForm(620, 10, 170, 25))
    , InfoGroup_rc(fromFileForm(110, 35, 680, 95))
    , AllQuestionsStatic_rc(fromFileForm(130, 60, 100, 20))
    , RemindQuestionsStatic_rc(fromFileForm(130, 95, 100, 20))
    , CorrectsStatic_rc(fromFileForm(360, 60, 90, 20))
    , IncorrectsStatic_rc(fromFileForm(360, 95, 90, 20))
    , AllQuestions_rc(fromFileForm(250, 60, 55, 20))
    , RemindQuestions_rc(fromFileForm(250, 95, 55, 20))
    , CorrectsNow_rc(fromFileForm(470, 60, 60, 20))
    , IncorrectsNow_rc(fromFileForm(470, 95, 60, 20))
    , CorrectsTotal_rc(fromFileForm(540, 60, 60, 20))
    , IncorrectsTotal_rc(fromFileForm(540, 95, 60, 20))
    , CorrectingRate_rc(fromFileForm(620, 60, 150, 20))
    , BigResult_rc(fromFileForm(120, 150, 50, 40))
    , ResultComment_rc(fromFileForm(190, 135, 600, 18))
    , Result_rc(fromFileForm(190, 155, 500, 42))
    , AnswerIndicater_rc(fromFileForm(190, 178, 601, 22))
    , QuestionTitle_str("Question>>")
    , Question_rc(fromFileForm(190, 204, 600, 52))
    , AnswerTitle_str("Answer  >>")
    , InputArea_rc(fromFileForm(189, 265, 600, 22))
    , HintTitle_str("Hint    >>")
    , HintButton_rc(fromFileForm(103, 295, 85, 22))
    , Hint_rc(fromFileForm(190, 293, 600, 22))
    , OkButton_rc(fromFileForm(580, 345, 100, 20))
    , CancelButton_rc(fromFileForm(700, 345, 80, 20))
    , Progress_rc(fromFileForm(105, 347, 440, 15))
    , TransLimitBar_rc(fromFileForm(105, 327, 460, 15))
    , ReplyButton1_rc(fromFileForm(120, 195, 50, 22))
    , ReplyButton2_rc(fromFileForm(120, 225, 50, 22))
    , ReplyButton3_rc(fromFileForm(120, 255, 50, 22))
    , ReplyButton4_rc(fromFileForm(120, 285, 50, 22))
    , ReplyAnswer1_rc(fromFileForm(190, 195, 590, 22))
    , ReplyAnswer2_rc(fromFileForm(190, 225, 590, 22))
    , ReplyAnswer3_rc(fromFileForm(190, 255, 590, 22))
    , ReplyAnswer4_rc(fromFileForm(190, 285, 590, 22))
    , EJQuestion_rc(fromFileForm(190, 160, 590, 22))
{
}

bool CSkin::loadSkin(std::string_view path)
{
    return loadSkin(path, env::programFolder());
}

bool CSkin::loadSkin(std::string_view path, std::string_view programFolder)
{
    *this = CSkin();
    if (path.empty())
        return false;
    std::string found(path);
    if (!fileExists(found)) {
        found = env::joinPath(programFolder, path);
        if (!fileExists(found))
            return false;
    }
    CIniFile ini;
    if (!ini.load(found))
        return false;
    readKeys(*this, ini);
    return true;
}

const SkinRect *CSkin::replyButton(int n) const
{
    const SkinRect *rects[] = { &ReplyButton1_rc, &ReplyButton2_rc, &ReplyButton3_rc,
                                &ReplyButton4_rc };
    return n >= 1 && n <= 4 ? rects[n - 1] : nullptr;
}

const SkinRect *CSkin::replyAnswer(int n) const
{
    const SkinRect *rects[] = { &ReplyAnswer1_rc, &ReplyAnswer2_rc, &ReplyAnswer3_rc,
                                &ReplyAnswer4_rc };
    return n >= 1 && n <= 4 ? rects[n - 1] : nullptr;
}

bool parseSkinPoint(std::string_view text, SkinPoint &point)
{
    int values[2];
    if (!scanInts(text, values, 2))
        return false;
    point = { values[0], values[1] };
    return true;
}

bool parseSkinRect(std::string_view text, SkinRect &rect)
{
    int values[4];
    if (!scanInts(text, values, 4))
        return false;
    const long long right = static_cast<long long>(values[0]) + values[2];
    const long long bottom = static_cast<long long>(values[1]) + values[3];
    if (right > INT_MAX || right < INT_MIN || bottom > INT_MAX || bottom < INT_MIN)
        return false;
    rect = fromFileForm(values[0], values[1], values[2], values[3]);
    return true;
}

std::vector<SkinPoint *> skinPoints(CSkin &skin)
{
    std::vector<SkinPoint *> points;
    for (const PointKey &key : kPointKeys)
        points.push_back(&(skin.*key.field));
    return points;
}

std::vector<SkinRect *> skinRects(CSkin &skin)
{
    std::vector<SkinRect *> rects;
    for (const RectKey &key : kRectKeys)
        rects.push_back(&(skin.*key.field));
    return rects;
}

std::vector<SkinMenuEntry> listSkins(std::string_view skinPath)
{
    return listSkins(skinPath, env::programFolder());
}

std::vector<SkinMenuEntry> listSkins(std::string_view skinPath, std::string_view programFolder)
{
    // Every entry lies in the skin path's folder: the file name tells the current one.
    const std::string currentName = fileNameOf(skinPath);
    std::vector<SkinMenuEntry> entries;
    for (const std::string &path : skinFilesBeside(skinPath, programFolder)) {
        CSkin skin;
        skin.loadSkin(path, programFolder);
        const bool selectable = entries.size() < static_cast<std::size_t>(kSelectableSkins);
        const bool current = fileNameOf(path) == currentName;
        entries.push_back({ path, skin.DesignName, selectable, current });
    }
    return entries;
}

std::string gothicFontName()
{
    return cp932::text("ＭＳ ゴシック");
}

std::string minchoFontName()
{
    return cp932::text("ＭＳ 明朝");
}

} // namespace kvr
