#include "app/ui/splashdlg.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "app/ui/appinfo.h"
#include "app/ui/toolicons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kPictureWidth = 420;
constexpr int kPictureHeight = 220;
constexpr int kStatusHeight = 24;

} // namespace

CSplashDlg::CSplashDlg(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("splashDlg"));
    setWindowIcon(programIcon());
    setFixedSize(kPictureWidth, kPictureHeight + kStatusHeight);
    m_status->setObjectName(QStringLiteral("splashStatus"));
    m_status->setGeometry(12, kPictureHeight, kPictureWidth - 24, kStatusHeight);
    m_status->setFont(gothicFont(12));
    m_status->setStyleSheet(QStringLiteral("color: #31435c;"));
    m_status->hide();
}

void CSplashDlg::setStatus(const QString &text)
{
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

QString CSplashDlg::status() const
{
    return m_status->isVisible() ? m_status->text() : QString();
}

void CSplashDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF picture(0, 0, kPictureWidth, kPictureHeight);
    QLinearGradient sky(picture.topLeft(), picture.bottomRight());
    sky.setColorAt(0, QColor(0x2f, 0x6f, 0xd6));
    sky.setColorAt(1, QColor(0x17, 0x3c, 0x86));
    p.fillRect(picture, sky);

    // Soft rings behind the title, for some depth.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawEllipse(QPointF(360, 40), 130, 130);
    p.setBrush(QColor(255, 255, 255, 16));
    p.drawEllipse(QPointF(60, 230), 110, 110);

    programIcon().paint(&p, QRect(34, 52, 96, 96));

    // The title wants a proportional face; the fixed-pitch gothic spreads its letters.
    QFont title = gothicFont(40);
    title.setFamily(installedFace(
        { QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP") }, title.family()));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(150, 50, 260, 52), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Kelvora"));
    p.setFont(gothicFont(15));
    p.setPen(QColor(0xd8, 0xe6, 0xff));
    p.drawText(QRectF(152, 104, 260, 22), Qt::AlignLeft | Qt::AlignVCenter,
               utext("単語と問題集の学習システム"));
    p.setFont(gothicFont(12));
    p.setPen(QColor(0xb4, 0xca, 0xf0));
    p.drawText(QRectF(152, 130, 260, 18), Qt::AlignLeft | Qt::AlignVCenter, utext(kMainTitle));
    p.drawText(QRectF(14, kPictureHeight - 26, kPictureWidth - 28, 18),
               Qt::AlignRight | Qt::AlignVCenter, utext(kAboutCopyright));

    p.fillRect(QRectF(0, kPictureHeight, kPictureWidth, kStatusHeight), QColor(0xee, 0xf3, 0xfa));
    p.setPen(QColor(0x9d, 0xb0, 0xca));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
}

} // namespace kvr::ui
