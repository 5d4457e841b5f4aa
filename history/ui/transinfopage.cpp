#include "history/ui/transinfopage.h"

#include <QPainter>

#include "drill/questionselection.h"
#include "history/ui/pagepainter.h"
#include "platform/ui/qcolour.h"

namespace kvr::ui {

CTransinfoPage::CTransinfoPage(HistoryPageContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("transinfoPage"));
}

void CTransinfoPage::setSelection(const PageSelection &selection)
{
    m_selection = selection;
    update();
}

void CTransinfoPage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    const ProgressPaint paint = progressView(selectedSection(m_context, m_selection),
                                             selectedRecord(m_context, m_selection), width());

    QPainter painter(this);
    painter.fillRect(pageRect(paint.bar), Qt::white);
    drawPageOutline(painter, paint.bar, Qt::black);
    const QColor taken = toQColor(kProgressDone);
    for (const ProgressPaint::Span &span : paint.takenSpans)
        painter.fillRect(QRectF(span.left, paint.inner.top, span.right - span.left,
                                paint.middle - paint.inner.top),
                         taken);
    painter.setPen(QPen(Qt::black, 0));
    if (paint.middleLine)
        painter.drawLine(
            QLineF(paint.inner.left, paint.middle, paint.inner.right - 1, paint.middle));
    if (paint.fill) {
        painter.fillRect(pageRect(*paint.fill), toQColor(kProgressFill));
        painter.drawLine(
            QLineF(paint.fill->right, paint.middle, paint.fill->right, paint.inner.bottom - 1));
    }
    drawPageTexts(painter, paint.texts);
}

} // namespace kvr::ui
