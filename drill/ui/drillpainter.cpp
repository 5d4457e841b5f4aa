#include "drill/ui/drillpainter.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "drill/drillsession.h"
#include "drill/drillwindow.h"
#include "drill/skin.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kBandLine2Offset = 26;
constexpr int kMarkStep = 30;
constexpr int kMarkWordsOffset = 20;
constexpr int kBigMarkFontPx = 40;
constexpr int kDetailIndent = 12;
constexpr int kSmallestFontPx = 12;

// Text sizes follow the skin's rectangles (the standard skin's give 20, 15 and 20 pixels),
// so that a skin of large controls has large text too.
int twoRowBandPx(const SkinRect &band)
{
    // Line 1 must end where line 2 begins.
    return std::clamp(band.height() * 20 / 52, kSmallestFontPx, kBandLine2Offset - 2);
}

int titlePx(const CSkin &skin)
{
    return std::max(kSmallestFontPx, twoRowBandPx(skin.Question_rc) * 3 / 4);
}

int shownAnswerPx(const CSkin &skin)
{
    return std::max(kSmallestFontPx, skin.Result_rc.height() * 20 / 42);
}
const QColor kSeparatorColour(96, 96, 96);

QRect rectOf(const SkinRect &r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

// Text with its top-left corner at (x, y), as the skin's positions mean it.
void textAt(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(QRect(x, y, 4000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace

QFont passListTitleFont(const CSkin &skin)
{
    // The title ends left of the separator line: its font shrinks until it does.
    const int room = skin.PaddingX_n - skin.ReplyInfo_ReplyInfo_pos.x - 4;
    int px = skin.ReplyInfoBigFontSize_n;
    QFont title;
    for (;;) {
        title = gothicFont(px);
        title.setItalic(true);
        title.setUnderline(true);
        if (px <= kSmallestFontPx
            || QFontMetrics(title).boundingRect(utext("回答状況")).width() <= room)
            return title;
        --px;
    }
}

namespace {

void paintPassList(QPainter &painter, const DrillView &view, const CSkin &skin)
{
    painter.setFont(passListTitleFont(skin));
    painter.setPen(Qt::black);
    textAt(painter, skin.ReplyInfo_ReplyInfo_pos.x, skin.ReplyInfo_ReplyInfo_pos.y,
           utext("回答状況"));

    painter.setFont(gothicFont(skin.ReplyInfoNormalFontSize_n));
    const int x = skin.ReplyInfo_OutputBase_pos.x;
    int y = skin.ReplyInfo_OutputBase_pos.y;
    for (const PassListEntry &entry : view.passList) {
        painter.setPen(toQColor(entry.colour));
        textAt(painter, x, y, qtext(entry.title));
        y += skin.ReplyInfo_OutputSpan_n;
        if (!entry.detail.empty()) {
            textAt(painter, x + kDetailIndent, y, qtext(entry.detail));
            y += skin.ReplyInfo_OutputSpan_n;
        }
    }

    painter.setPen(kSeparatorColour);
    painter.drawLine(skin.PaddingX_n, 0, skin.PaddingX_n, separatorBottom(skin));
}

// The band holds two lines where it is high enough; a band of one line's height (the
// four-choice band of the standard skin) shows both on it, so nothing spills onto the
// choices below.
void paintQuestionBand(QPainter &painter, const DrillView &view, const CSkin &skin)
{
    const SkinRect &bandRect = view.choiceBand ? skin.EJQuestion_rc : skin.Question_rc;
    const QRect band = rectOf(bandRect);
    painter.fillRect(band, toQColor(kQuestionBandColour));
    painter.setPen(toQColor(kQuestionTextColour));
    const QString line1 = qtext(view.questionLines[0]);
    const QString line2 = qtext(view.questionLines[1]);
    const bool twoRows = band.height() >= kBandLine2Offset + twoRowBandPx(bandRect);
    const int fontPx =
        twoRows ? twoRowBandPx(bandRect) : std::clamp(band.height() - 4, 10, kBandLine2Offset - 2);
    painter.setFont(gothicFont(fontPx));
    const int x = band.left() + 3;
    const int y = band.top() + 2;
    if (twoRows) {
        textAt(painter, x, y, line1);
        textAt(painter, x, band.top() + kBandLine2Offset, line2);
    } else {
        textAt(painter, x, y, line2.isEmpty() ? line1 : line1 + QLatin1Char('/') + line2);
    }
}

// The titles belong to the typed layout; in the four-choice modes the choice buttons sit
// where they would be drawn.
void paintTitles(QPainter &painter, const DrillView &view, const CSkin &skin)
{
    painter.setFont(gothicFont(titlePx(skin)));
    painter.setPen(Qt::black);
    if (!view.choiceBand) {
        textAt(painter, skin.QuestionTitle_pos.x, skin.QuestionTitle_pos.y,
               qtext(skin.QuestionTitle_str));
        textAt(painter, skin.AnswerTitle_pos.x, skin.AnswerTitle_pos.y,
               qtext(skin.AnswerTitle_str));
    }
    if (view.hintTitleShown) {
        const SkinPoint title = hintPlacement(skin, view.choiceBand).title;
        textAt(painter, title.x, title.y, qtext(skin.HintTitle_str));
    }
}

void paintAnswerMarks(QPainter &painter, const DrillView &view, const CSkin &skin)
{
    painter.setPen(Qt::black);
    int x = skin.ReplyedSign_OutputBase_pos.x;
    const int y = skin.ReplyedSign_OutputBase_pos.y;
    const int markPx = skin.ReplyInfoNormalFontSize_n;
    for (const AnswerMark &mark : view.answerMarks) {
        painter.setFont(gothicFont(markPx));
        textAt(painter, x, y, qtext(mark.mark));
        painter.setFont(gothicFont(std::max(10, markPx * 4 / 5)));
        textAt(painter, x, y + kMarkWordsOffset, qtext(mark.words));
        x += kMarkStep;
    }
}

void paintResult(QPainter &painter, const DrillView &view, const CSkin &skin)
{
    if (view.bigMark != BigMark::None) {
        painter.setFont(minchoFont(std::max(kBigMarkFontPx, skin.BigResult_rc.height())));
        painter.setPen(toQColor(view.bigMarkColour));
        painter.drawText(rectOf(skin.BigResult_rc), Qt::AlignCenter | Qt::TextDontClip,
                         qtext(view.bigMarkText));
    }
    if (!view.showCorrectAnswer)
        return;
    const QRect area = rectOf(skin.Result_rc);
    const QString label = utext("正解は");
    const QFont labelFont = gothicFont(titlePx(skin));
    painter.setFont(labelFont);
    painter.setPen(Qt::black);
    const int answerTop = area.top() + 2;
    textAt(painter, area.left(), answerTop + (shownAnswerPx(skin) - titlePx(skin)), label);
    painter.setFont(gothicFont(shownAnswerPx(skin)));
    painter.setPen(toQColor(kShownAnswerColour));
    const int answerLeft = area.left() + QFontMetrics(labelFont).horizontalAdvance(label) + 8;
    textAt(painter, answerLeft, answerTop, qtext(view.shownAnswer));
}

bool sameEntry(const PassListEntry &a, const PassListEntry &b)
{
    return a.title == b.title && a.detail == b.detail && a.colour == b.colour;
}

bool sameMark(const AnswerMark &a, const AnswerMark &b)
{
    return a.entered == b.entered && a.mark == b.mark && a.words == b.words;
}

} // namespace

void paintDrillView(QPainter &painter, const DrillView &view, const CSkin &skin,
                    const QColor &background)
{
    painter.fillRect(painter.window(), background);
    paintPassList(painter, view, skin);
    paintQuestionBand(painter, view, skin);
    paintTitles(painter, view, skin);
    paintAnswerMarks(painter, view, skin);
    paintResult(painter, view, skin);
}

bool paintedPartsDiffer(const DrillView &a, const DrillView &b)
{
    return a.questionLines != b.questionLines || a.choiceBand != b.choiceBand
        || a.showCorrectAnswer != b.showCorrectAnswer || a.shownAnswer != b.shownAnswer
        || a.hintTitleShown != b.hintTitleShown || a.bigMark != b.bigMark
        || a.bigMarkText != b.bigMarkText || a.bigMarkColour != b.bigMarkColour
        || !std::equal(a.passList.begin(), a.passList.end(), b.passList.begin(), sameEntry)
        || !std::equal(a.answerMarks.begin(), a.answerMarks.end(), b.answerMarks.begin(),
                       b.answerMarks.end(), sameMark);
}

} // namespace kvr::ui
