#include "drill/drillwindow.h"

#include <algorithm>

#include "app/kvrsettings.h"
#include "drill/drillsession.h"
#include "drill/lastquestion.h"
#include "platform/cp932.h"
#include "platform/version.h"

namespace kvr {

namespace {

constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 30;
constexpr int kSmallestClient = 100;

std::string fileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool overlaps(const SkinRect &a, const SkinRect &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

SkinRect movedRow(const SkinRect &rect, int top, int height)
{
    return { rect.left, top, rect.right, top + height };
}

} // namespace

HintPlacement hintPlacement(const CSkin &skin, bool choiceMode)
{
    const HintPlacement own { skin.HintButton_rc, skin.Hint_rc, skin.HintTitle_pos,
                              skin.TransLimitBar_rc };
    if (!choiceMode)
        return own;
    bool covered = false;
    int lowest = 0;
    for (int n = 1; n <= 4; ++n) {
        for (const SkinRect *row : { skin.replyButton(n), skin.replyAnswer(n) }) {
            covered = covered || overlaps(*row, skin.HintButton_rc) || overlaps(*row, skin.Hint_rc);
            lowest = std::max(lowest, row->bottom);
        }
    }
    if (!covered)
        return own;
    // A fifth row close under the choices and as high as they are (so its text is as large
    // as theirs), the field under the choice texts. A time-limit bar in its way moves below
    // it, down to the progress bar.
    const SkinRect &lastField = *skin.replyAnswer(4);
    const int top = lowest
        + std::min(kHintRowGap,
                   std::max(kHintRowMinGap,
                            skin.replyButton(2)->top - skin.replyButton(1)->bottom));
    const SkinRect field { lastField.left, top, lastField.right, top + lastField.height() };
    const SkinRect button = movedRow(skin.HintButton_rc, top, field.height());
    SkinRect bar = skin.TransLimitBar_rc;
    const SkinRect row { std::min(button.left, field.left), top, field.right,
                         field.bottom + kHintRowGap };
    if (overlaps(bar, row)) {
        const SkinRect &progress = skin.Progress_rc;
        const bool aboveProgress =
            progress.left < bar.right && bar.left < progress.right && progress.top >= field.bottom;
        const int floor =
            (aboveProgress ? progress.top : drillClientSize(skin).height) - kHintRowMinGap;
        bar = movedRow(bar, field.bottom + kHintRowGap,
                       std::min(bar.height(), floor - field.bottom - kHintRowGap));
        if (bar.height() < kMinLimitBarHeight)
            return own;
    }
    return { button,
             field,
             { skin.HintTitle_pos.x, top + (skin.HintTitle_pos.y - skin.Hint_rc.top) },
             bar };
}

SkinRect menuButtonRect(const CSkin &skin)
{
    constexpr int margin = 4;
    const int bottom = drillClientSize(skin).height - margin;
    const int right = std::max(skin.PaddingX_n - margin, margin + kMenuButtonMinWidth);
    return { margin, bottom - kMenuButtonHeight, right, bottom };
}

SkinRect acceptButtonRect(const CSkin &skin)
{
    constexpr int gap = 4;
    const SkinRect &ok = skin.OkButton_rc;
    const SkinRect &cancel = skin.CancelButton_rc;
    const int bottom = ok.top - gap;
    const int top = std::max(bottom - ok.height(), skin.Hint_rc.bottom + gap / 2);
    return { std::min(ok.left, cancel.left), top, std::max(ok.right, cancel.right), bottom };
}

SkinRect addAnswerButtonRect(const CSkin &skin)
{
    constexpr int gap = 4;
    const SkinRect accept = acceptButtonRect(skin);
    const int right = accept.left - gap;
    return { std::max(right - accept.width(), gap), accept.top, right, accept.bottom };
}

ClientSize drillClientSize(const CSkin &skin)
{
    // 64-bit, so that no width a skin file holds wraps around.
    const auto client = [](int outer, int frame) {
        return static_cast<int>(
            std::max<long long>(static_cast<long long>(outer) - frame, kSmallestClient));
    };
    return { client(skin.DlgWidth_n, kFrameWidth), client(skin.DlgHeight_n, kFrameHeight) };
}

int separatorBottom(const CSkin &skin)
{
    return static_cast<int>(
        std::max<long long>(static_cast<long long>(skin.DlgHeight_n) - kFrameHeight, 0));
}

std::optional<double> drillWindowOpacity(int opacityPercent)
{
    if (opacityPercent <= 0 || opacityPercent >= 100)
        return std::nullopt;
    const int alpha = opacityPercent * 255 / 100;
    return alpha / 255.0;
}

bool answerKeepsInputMethod(DrillMode mode)
{
    return mode != DrillMode::JapaneseToEnglishTyped && mode != DrillMode::SpeedReply;
}

std::string flashedCaption(std::string_view caption)
{
    return cp932::text("★ ") + std::string(caption) + cp932::text(" ★");
}

std::string skinMenuText(const SkinMenuEntry &entry)
{
    return entry.designName.empty() ? fileNameOf(entry.path) : entry.designName;
}

bool chooseSkin(CKvrSettings &settings, ISettingsStore &store, CSkin &skin, std::string_view path)
{
    settings.SkinPath = std::string(path);
    const bool saved = settings.saveAll(store);
    skin.loadSkin(settings.SkinPath);
    return saved;
}

Message drillAboutMessage()
{
    Message message;
    message.caption = cp932::text("Kelvora のﾊﾞｰｼﾞｮﾝ情報");
    message.text = "Kelvora  Version " KVR_VERSION;
    message.icon = Icon::Information;
    return message;
}

void keepLastQuestion(CDrillSession &session, KeepTarget target, const KeepPlaces &places)
{
    if (!session.hasLastQuestion())
        return;
    const std::string &line = session.lastQuestionLine();
    if (target == KeepTarget::TextFile) {
        session.showSaveReport(appendToLastQuestionsFile(places.desktopFolder, line));
    } else if (places.database) {
        session.showSaveReport(addToSavedQuestions(*places.database, places.databasePath,
                                                   places.userName, line, places.backup));
    }
}

} // namespace kvr
