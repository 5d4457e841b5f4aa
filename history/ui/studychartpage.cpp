#include "history/ui/studychartpage.h"

#include <QPainter>

#include "app/kvrsettings.h"
#include "history/answerjournal.h"
#include "history/ui/pagepainter.h"
#include "platform/clock.h"
#include "platform/ui/qcolour.h"

namespace kvr::ui {

CStudyChartPage::CStudyChartPage(HistoryPageContext &context, const IClock &clock, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("studyChartPage"));
}

void CStudyChartPage::setSelection(const PageSelection &selection)
{
    m_selection = selection;
    update();
}

StudyChart CStudyChartPage::chart()
{
    StudyChartInput input;
    input.summary = &m_journal.summary(journalPathBeside(m_context.settings.LogPath));
    input.learner = m_context.settings.UserName;
    input.folder = m_selection.path;
    input.now = m_clock.now();
    input.width = width();
    input.height = height();
    return studyChart(input);
}

void CStudyChartPage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    const StudyChart paint = chart();
    QPainter painter(this);
    if (paint.hasPlot) {
        const QRectF plot = pageRect(paint.plot);
        painter.fillRect(plot, Qt::white);
        painter.setPen(QPen(toQColor(kStudyGrid), 1, Qt::DotLine));
        for (const double y : paint.gridLines)
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        for (const RectF &bar : paint.bars)
            painter.fillRect(pageRect(bar), toQColor(kStudyBar));
        drawPageOutline(painter, paint.plot, Qt::black);

        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QColor rate = toQColor(kStudyRate);
        painter.setPen(QPen(rate, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const std::vector<PointF> &run : paint.rateLines) {
            QPolygonF line;
            for (const PointF &point : run)
                line << QPointF(point.x, point.y);
            painter.drawPolyline(line);
        }
        painter.setBrush(rate);
        painter.setPen(Qt::NoPen);
        for (const std::vector<PointF> &run : paint.rateLines) {
            for (const PointF &point : run)
                painter.drawEllipse(QPointF(point.x, point.y), 3, 3);
        }
        painter.restore();
    }
    drawPageTexts(painter, paint.texts);
}

} // namespace kvr::ui
