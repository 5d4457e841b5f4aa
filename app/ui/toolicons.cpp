#include "app/ui/toolicons.h"

#include <cmath>

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

using PaintFunction = void (*)(QPainter &);

// Paints a picture given on the 20 x 20 grid at whatever size is asked for.
class CPaintedIconEngine final : public QIconEngine
{
public:
    explicit CPaintedIconEngine(PaintFunction paint)
        : m_paint(paint)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        // Views ask for the same picture on every paint (each tree row, each toolbar
        // repaint): drawn once per size and mode.
        const QString key = QStringLiteral("kvr-painted-%1-%2x%3-%4")
                                .arg(reinterpret_cast<quintptr>(m_paint))
                                .arg(size.width())
                                .arg(size.height())
                                .arg(static_cast<int>(mode));
        QPixmap cached;
        if (QPixmapCache::find(key, &cached))
            return cached;
        QPixmap result = draw(size, mode);
        QPixmapCache::insert(key, result);
        return result;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new CPaintedIconEngine(m_paint); }
    QString key() const override { return QStringLiteral("kvr-painted"); }

private:
    QPixmap draw(const QSize &size, QIcon::Mode mode) const
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.scale(size.width() / 20.0, size.height() / 20.0);
            m_paint(painter);
        }
        QPixmap result = QPixmap::fromImage(image);
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            result = QApplication::style()->generatedIconPixmap(mode, result, &option);
        }
        return result;
    }

    PaintFunction m_paint;
};

const QColor kInk(0x34, 0x3d, 0x4a);
const QColor kBlue(0x2a, 0x6f, 0xdb);
const QColor kGreen(0x2e, 0x9d, 0x57);
const QColor kOrange(0xf0, 0x8c, 0x1a);
const QColor kRed(0xd9, 0x44, 0x3a);
const QColor kPaper(0xff, 0xff, 0xff);

QPen outline(const QColor &colour, qreal width = 1.0)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A rounded square with a soft top light, the ground of the mode pictures.
void tile(QPainter &p, const QColor &colour)
{
    QLinearGradient fill(0, 1, 0, 19);
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    p.setPen(outline(colour.darker(135)));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 17, 17), 3.5, 3.5);
}

void glyph(QPainter &p, const QRectF &box, const QString &text, int pixelSize, const QColor &colour)
{
    QFont font = gothicFont(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

// Typed modes: a small pencil in the lower right corner.
void pencilBadge(QPainter &p, const QColor &ground)
{
    p.setPen(outline(ground.darker(150), 0.8));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(14.6, 14.6), 4.6, 4.6);
    p.save();
    p.translate(14.6, 14.6);
    p.rotate(-45);
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRect(QRectF(-2.2, -1.1, 4.0, 2.2));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({ QPointF(-2.2, -1.1), QPointF(-3.8, 0), QPointF(-2.2, 1.1) }));
    p.restore();
}

// Four-choice modes: a 2 x 2 grid of answers, one of them marked.
void choiceBadge(QPainter &p, const QColor &ground)
{
    p.setPen(outline(ground.darker(150), 0.8));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(14.6, 14.6), 4.6, 4.6);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            p.setBrush(row == 1 && column == 0 ? kOrange : ground);
            p.drawRect(QRectF(12.4 + column * 2.6, 12.4 + row * 2.6, 1.9, 1.9));
        }
    }
}

void japaneseTile(QPainter &p)
{
    tile(p, kBlue);
    glyph(p, QRectF(1.5, 1.0, 12.5, 12.5), utext("和"), 11, kPaper);
}

void englishTile(QPainter &p)
{
    tile(p, kGreen);
    glyph(p, QRectF(1.5, 1.0, 12.5, 12.5), QStringLiteral("E"), 12, kPaper);
}

void paintJeTyped(QPainter &p)
{
    japaneseTile(p);
    pencilBadge(p, kBlue);
}

void paintJeChoice(QPainter &p)
{
    japaneseTile(p);
    choiceBadge(p, kBlue);
}

void paintEjTyped(QPainter &p)
{
    englishTile(p);
    pencilBadge(p, kGreen);
}

void paintEjChoice(QPainter &p)
{
    englishTile(p);
    choiceBadge(p, kGreen);
}

void paintSpeedReply(QPainter &p)
{
    tile(p, kOrange);
    p.setPen(outline(kOrange.darker(160), 0.7));
    p.setBrush(kPaper);
    p.drawPolygon(
        QPolygonF({ QPointF(11.5, 3.0), QPointF(5.5, 11.0), QPointF(9.5, 11.0), QPointF(8.0, 17.0),
                    QPointF(14.5, 8.5), QPointF(10.5, 8.5), QPointF(11.5, 3.0) }));
}

// A sheet of paper with a folded corner.
void sheet(QPainter &p)
{
    QPainterPath page;
    page.moveTo(4.0, 1.5);
    page.lineTo(12.5, 1.5);
    page.lineTo(16.5, 5.5);
    page.lineTo(16.5, 18.5);
    page.lineTo(4.0, 18.5);
    page.closeSubpath();
    p.setPen(outline(QColor(0x7a, 0x86, 0x96)));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.setBrush(QColor(0xdd, 0xe3, 0xea));
    p.drawPolygon(QPolygonF({ QPointF(12.5, 1.5), QPointF(12.5, 5.5), QPointF(16.5, 5.5) }));
}

void paintQuestionList(QPainter &p)
{
    sheet(p);
    for (int row = 0; row < 3; ++row) {
        const qreal y = 7.5 + row * 3.7;
        p.setPen(Qt::NoPen);
        p.setBrush(row == 1 ? kOrange : kBlue);
        p.drawRect(QRectF(6.0, y - 1.0, 2.0, 2.0));
        p.setPen(outline(kInk, 1.2));
        p.drawLine(QPointF(9.8, y), QPointF(14.2, y));
    }
}

void paintShortcut(QPainter &p)
{
    QLinearGradient screen(0, 3, 0, 14);
    screen.setColorAt(0, QColor(0xd8, 0xe8, 0xfb));
    screen.setColorAt(1, QColor(0x9c, 0xc2, 0xf0));
    p.setPen(outline(kInk, 1.2));
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(1.8, 2.5, 16.4, 11.5), 1.5, 1.5);
    p.setBrush(QColor(0x9a, 0xa4, 0xb1));
    p.drawPolygon(QPolygonF(
        { QPointF(8.0, 14.0), QPointF(12.0, 14.0), QPointF(13.5, 17.5), QPointF(6.5, 17.5) }));
    // A bent arrow into the screen: "put it there".
    QPainterPath arrow;
    arrow.moveTo(5.0, 11.5);
    arrow.cubicTo(5.0, 7.5, 7.5, 6.5, 11.0, 6.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(kOrange.darker(115), 2.0));
    p.drawPath(arrow);
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange.darker(115));
    p.drawPolygon(QPolygonF({ QPointF(10.5, 3.6), QPointF(14.8, 6.5), QPointF(10.5, 9.4) }));
}

// A circular arrow turning clockwise, open at the top right.
void circularArrow(QPainter &p, const QColor &colour)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(colour, 2.2));
    const QRectF circle(3.5, 3.5, 13.0, 13.0);
    p.drawArc(circle, 60 * 16, 280 * 16);
    // The head sits where the arc starts (60 degrees), pointing along the turn.
    const qreal angle = 60.0 * M_PI / 180.0;
    const QPointF tip(10.0 + 6.5 * std::cos(angle), 10.0 - 6.5 * std::sin(angle));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF(
        { tip + QPointF(3.2, 1.4), tip + QPointF(-1.4, -3.4), tip + QPointF(-1.8, 2.6) }));
}

void paintLastDrill(QPainter &p)
{
    circularArrow(p, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({ QPointF(8.4, 7.3), QPointF(13.0, 10.0), QPointF(8.4, 12.7) }));
}

void paintLastMissed(QPainter &p)
{
    circularArrow(p, kBlue);
    p.setPen(outline(kRed, 2.0));
    p.drawLine(QPointF(7.9, 7.9), QPointF(12.1, 12.1));
    p.drawLine(QPointF(12.1, 7.9), QPointF(7.9, 12.1));
}

void paintEditor(QPainter &p)
{
    sheet(p);
    p.setPen(outline(QColor(0xa9, 0xb3, 0xc0), 1.0));
    for (int row = 0; row < 3; ++row)
        p.drawLine(QPointF(6.0, 8.0 + row * 3.0), QPointF(12.0, 8.0 + row * 3.0));
    p.save();
    p.translate(13.0, 12.5);
    p.rotate(-45);
    p.setPen(outline(kOrange.darker(150), 0.7));
    p.setBrush(QColor(0xf6, 0xc3, 0x3b));
    p.drawRect(QRectF(-4.5, -1.6, 8.0, 3.2));
    p.setBrush(QColor(0xf2, 0xd7, 0xb0));
    p.drawPolygon(QPolygonF({ QPointF(-4.5, -1.6), QPointF(-7.3, 0), QPointF(-4.5, 1.6) }));
    p.setBrush(kRed);
    p.drawRect(QRectF(3.5, -1.6, 1.6, 3.2));
    p.restore();
}

void paintOptions(QPainter &p)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal radius = (i % 2 == 0) ? 8.4 : 6.4;
        for (int edge = 0; edge < 2; ++edge) {
            const qreal angle = (i + (edge == 0 ? 0.15 : 0.85)) * M_PI / teeth;
            const QPointF point(10 + radius * std::cos(angle), 10 + radius * std::sin(angle));
            if (i == 0 && edge == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(10, 10), 2.6, 2.6);
    QLinearGradient fill(0, 2, 0, 18);
    fill.setColorAt(0, QColor(0x8c, 0x9b, 0xad));
    fill.setColorAt(1, QColor(0x56, 0x66, 0x7a));
    p.setPen(outline(QColor(0x3f, 0x4b, 0x5a), 0.8));
    p.setBrush(fill);
    p.drawPath(gear);
}

void paintHomePage(QPainter &p)
{
    QRadialGradient fill(QPointF(8, 7), 10);
    fill.setColorAt(0, QColor(0x7f, 0xb8, 0xf5));
    fill.setColorAt(1, kBlue);
    p.setPen(outline(kBlue.darker(140), 1.0));
    p.setBrush(fill);
    p.drawEllipse(QPointF(10, 10), 8, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(outline(QColor(255, 255, 255, 210), 1.0));
    p.drawEllipse(QPointF(10, 10), 3.6, 8);
    p.drawLine(QPointF(10, 2), QPointF(10, 18));
    p.drawLine(QPointF(2, 10), QPointF(18, 10));
    p.drawArc(QRectF(3.2, 0.5, 13.6, 7.5), 200 * 16, 140 * 16);
    p.drawArc(QRectF(3.2, 12.0, 13.6, 7.5), 20 * 16, 140 * 16);
}

void paintHelp(QPainter &p)
{
    QLinearGradient fill(0, 2, 0, 18);
    fill.setColorAt(0, kBlue.lighter(130));
    fill.setColorAt(1, kBlue);
    p.setPen(outline(kBlue.darker(140), 1.0));
    p.setBrush(fill);
    p.drawEllipse(QPointF(10, 10), 8, 8);
    glyph(p, QRectF(2, 2.2, 16, 16), QStringLiteral("?"), 13, kPaper);
}

void paintExit(QPainter &p)
{
    // An open door with an arrow leaving through it.
    p.setPen(outline(kInk, 1.1));
    p.setBrush(QColor(0xe6, 0xea, 0xef));
    p.drawRect(QRectF(3.0, 2.0, 9.0, 16.0));
    p.setBrush(QColor(0xb0, 0x74, 0x3c));
    p.drawPolygon(QPolygonF(
        { QPointF(3.0, 2.0), QPointF(8.5, 3.8), QPointF(8.5, 19.2), QPointF(3.0, 18.0) }));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0xd3, 0x6b));
    p.drawEllipse(QPointF(7.3, 11.0), 0.8, 0.8);
    p.setPen(outline(kRed, 2.2));
    p.drawLine(QPointF(10.5, 10.0), QPointF(15.0, 10.0));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({ QPointF(14.0, 6.5), QPointF(19.0, 10.0), QPointF(14.0, 13.5) }));
}

void paintFolder(QPainter &p)
{
    QLinearGradient fill(0, 4, 0, 17);
    fill.setColorAt(0, QColor(0xf9, 0xd7, 0x76));
    fill.setColorAt(1, QColor(0xe9, 0xaa, 0x3c));
    p.setPen(outline(QColor(0xb7, 0x7d, 0x1f), 1.0));
    p.setBrush(QColor(0xe4, 0xa5, 0x3a));
    p.drawPolygon(QPolygonF({ QPointF(1.5, 4.0), QPointF(7.0, 4.0), QPointF(8.8, 6.0),
                              QPointF(18.5, 6.0), QPointF(18.5, 9.0), QPointF(1.5, 9.0) }));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 7.0, 17.0, 10.5), 1.2, 1.2);
}

void paintCollection(QPainter &p)
{
    // A workbook: a coloured spine and a page of question lines.
    p.setPen(outline(kBlue.darker(140), 1.0));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(4.0, 2.0, 12.5, 16.0), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(4.5, 2.5, 3.0, 15.0));
    p.setPen(outline(QColor(0x9a, 0xa6, 0xb5), 1.0));
    for (int row = 0; row < 3; ++row)
        p.drawLine(QPointF(9.5, 6.5 + row * 3.5), QPointF(14.0, 6.5 + row * 3.5));
}

void paintProgram(QPainter &p)
{
    QLinearGradient ground(0, 0, 20, 20);
    ground.setColorAt(0, QColor(0x4a, 0x8c, 0xe8));
    ground.setColorAt(1, QColor(0x1c, 0x47, 0x9a));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 4.2, 4.2);
    // Two study cards, the front one showing a question and its answer.
    p.save();
    p.translate(9.6, 10.2);
    p.rotate(-14);
    p.setBrush(QColor(0xbf, 0xd9, 0xff));
    p.drawRoundedRect(QRectF(-6.8, -7.2, 12.4, 13.6), 1.5, 1.5);
    p.restore();
    p.save();
    p.translate(10.8, 10.6);
    p.rotate(6);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(-6.2, -7.0, 12.4, 13.6), 1.5, 1.5);
    glyph(p, QRectF(-6.0, -7.2, 7.6, 7.6), utext("あ"), 6, kBlue);
    glyph(p, QRectF(-0.8, -0.6, 6.8, 6.8), QStringLiteral("A"), 7, kOrange.darker(110));
    p.restore();
}

PaintFunction painterOf(ToolIcon which)
{
    switch (which) {
    case ToolIcon::Shortcut:
        return paintShortcut;
    case ToolIcon::QuestionList:
        return paintQuestionList;
    case ToolIcon::JapaneseToEnglishTyped:
        return paintJeTyped;
    case ToolIcon::JapaneseToEnglishChoice:
        return paintJeChoice;
    case ToolIcon::EnglishToJapaneseTyped:
        return paintEjTyped;
    case ToolIcon::EnglishToJapaneseChoice:
        return paintEjChoice;
    case ToolIcon::SpeedReply:
        return paintSpeedReply;
    case ToolIcon::LastDrill:
        return paintLastDrill;
    case ToolIcon::LastMissed:
        return paintLastMissed;
    case ToolIcon::Editor:
        return paintEditor;
    case ToolIcon::Options:
        return paintOptions;
    case ToolIcon::HomePage:
        return paintHomePage;
    case ToolIcon::Help:
        return paintHelp;
    case ToolIcon::Exit:
        return paintExit;
    case ToolIcon::Folder:
        return paintFolder;
    case ToolIcon::Collection:
        return paintCollection;
    }
    return paintHelp;
}

} // namespace

QIcon toolIcon(ToolIcon which)
{
    return QIcon(new CPaintedIconEngine(painterOf(which)));
}

QIcon programIcon()
{
    return QIcon(new CPaintedIconEngine(paintProgram));
}

} // namespace kvr::ui
