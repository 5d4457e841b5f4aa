#include "history/ui/pagepainter.h"

#include <QPainter>
#include <QPushButton>

#include "platform/ui/buttons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

QPushButton *pageButton(QWidget *parent, const char *name, const char *text, const char *tip)
{
    QPushButton *button = namedButton(parent, name, text);
    button->setToolTip(utext(tip));
    return button;
}

QFont pageFont(PageFont font)
{
    switch (font) {
    case PageFont::Gothic10:
        return gothicFont(10);
    case PageFont::Mincho13:
        return minchoFont(13);
    case PageFont::Gothic13:
        break;
    }
    return gothicFont(13);
}

QRectF pageRect(const RectF &rect)
{
    return QRectF(rect.left, rect.top, rect.width(), rect.height());
}

void drawPageTexts(QPainter &painter, const std::vector<PaintText> &texts)
{
    painter.save();
    for (const PaintText &text : texts) {
        painter.setFont(pageFont(text.font));
        painter.setPen(toQColor(text.colour));
        // Leading blanks of "%5d" are kept: the faces are fixed-pitch for ASCII, so the
        // numbers line up as they do in the formats.
        const QRectF box(text.x, text.y, 2000, 200);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, qtext(text.text));
    }
    painter.restore();
}

void drawPageOutline(QPainter &painter, const RectF &rect, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colour, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect.left, rect.top, rect.width() - 1, rect.height() - 1));
    painter.restore();
}

} // namespace kvr::ui
