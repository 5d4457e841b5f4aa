#include "drill/ui/resultdlg.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "drill/resultreport.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 320;
constexpr int kRowHeight = 18;
constexpr int kNormalFontPixels = 12;

// A text placed like a transparent static text painted at (x, y).
QLabel *placed(QWidget *parent, const QString &name, const std::string &text, Rgb colour,
               const QRect &rect, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new QLabel(qtext(text), parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    label->setPalette(palette);
    return label;
}

} // namespace

CResultDlg::CResultDlg(const ResultReport &report, Rgb background, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(qtext(resultCaption()));
    setFixedSize(kWidth, kHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(background));
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(gothicFont(kNormalFontPixels));

    QLabel *comment = placed(this, "comment", report.comment, report.commentColour,
                             QRect(QPoint(50, 15), QPoint(549, 54)), Qt::AlignCenter);
    QFont commentFont = minchoFont(35);
    commentFont.setWeight(QFont::Weight(600));
    commentFont.setItalic(true);
    comment->setFont(commentFont);

    int index = 0;
    for (const ReportRow &row : report.rows) {
        placed(this, QString("label%1").arg(index), row.label, row.colour,
               QRect(100, row.y, 200, kRowHeight));
        placed(this, QString("value%1").arg(index), row.value, row.colour,
               QRect(300, row.y, kWidth - 300 - 10, kRowHeight));
        ++index;
    }

    auto *ok = new QPushButton(utext("OK"), this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    ok->setGeometry((kWidth - 100) / 2, kHeight - 44, 100, 30);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Beside "OK", so Enter still closes the report.
    auto *retry = new QPushButton(qtext(retryMissedCaption()), this);
    retry->setObjectName("retryMissed");
    retry->setAutoDefault(false);
    retry->setEnabled(report.retryMissedEnabled);
    const int retryWidth = std::max(retry->sizeHint().width(), 180);
    retry->setGeometry(kWidth - retryWidth - 20, kHeight - 44, retryWidth, 30);
    connect(retry, &QPushButton::clicked, this, [this] {
        m_action = ReportAction::RetryMissed;
        accept();
    });
    ok->setFocus();
}

ReportAction CQtResultPresenter::showResultReport(const ResultReport &report)
{
    CResultDlg dialog(report, m_background, m_parent);
    dialog.exec();
    return dialog.action();
}

} // namespace kvr::ui
