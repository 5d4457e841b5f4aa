#include "app/ui/optionpagevoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/optionssheet.h"
#include "drill/pronunciation.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

QUrl COptionpageVoice::speechPackagesPage()
{
    return QUrl(QStringLiteral("qrc:/help/top.html#voice"));
}

COptionpageVoice::COptionpageVoice(CPronunciation &pronunciation,
                                   std::function<void(const QUrl &)> showHelp, QWidget *parent)
    : COptionPage(parent)
    , m_pronunciation(pronunciation)
    , m_useVoice(switchCheck("useVoice", "音声再生を利用する"))
    , m_useWavvoice(
          switchCheck("useWavvoice", "WAVファイルを使用する（問題毎にWAVファイルが必要です）"))
    , m_testText(lineEdit("testText"))
    , m_test(button("voiceTest", "ﾃｽﾄ"))
    , m_rate(slider("voiceRate", kVoiceRateMinimum, kVoiceRateMaximum))
    , m_volume(slider("voiceVolume", 0, kVoiceVolumeMaximum))
    , m_format(new QComboBox(this))
    , m_useJEVoice(check("useJEVoice", "回答後に単語を発音させる。"))
    , m_useJEVoice2(check("useJEVoice2", "再入力後に単語を発音させる。"))
    , m_useEJ4Voice(check("useEJ4Voice", "出題時に単語を発音させる。"))
    , m_testLabel(label("発音テスト"))
    , m_rateLabel(label("速度"))
    , m_volumeLabel(label("音量"))
    , m_formatLabel(label("フォーマット"))
{
    // Kept in step with their settings, never shown.
    for (QCheckBox *hidden : { m_useJEVoice, m_useJEVoice2, m_useEJ4Voice })
        hidden->hide();
    m_testText->setText(QStringLiteral("Kelvora"));
    m_format->setObjectName("formatIndex");
    for (const std::string &entry : voiceFormatEntries())
        m_format->addItem(qtext(entry));

    QPushButton *download = button("openDownloadSite", "ダウンロードサイトを開く");
    connect(download, &QPushButton::clicked, this, [showHelp] {
        if (showHelp)
            showHelp(speechPackagesPage());
    });
    connect(m_test, &QPushButton::clicked, this,
            [this] { m_pronunciation.speakText(cp932(m_testText->text())); });
    connect(m_rate, &QSlider::valueChanged, this, [this](int rate) {
        m_pronunciation.setRate(rate);
        forward([rate](COptionsSheet &sheet) { sheet.moveVoiceRate(rate); });
    });
    connect(m_volume, &QSlider::valueChanged, this, [this](int volume) {
        m_pronunciation.setVolume(volume);
        forward([volume](COptionsSheet &sheet) { sheet.moveVoiceVolume(volume); });
    });

    auto *package = new QHBoxLayout;
    package->addWidget(label("XP以外では音声再生パッケージが必要です。"));
    package->addStretch();
    package->addWidget(download);

    auto *grid = new QGridLayout;
    grid->addWidget(m_testLabel, 0, 0);
    grid->addWidget(m_testText, 0, 1);
    grid->addWidget(m_test, 0, 2);
    grid->addWidget(m_rateLabel, 1, 0);
    grid->addWidget(m_rate, 1, 1, 1, 2);
    grid->addWidget(m_volumeLabel, 2, 0);
    grid->addWidget(m_volume, 2, 1, 1, 2);
    grid->addWidget(m_formatLabel, 3, 0);
    grid->addWidget(m_format, 3, 1);
    grid->setContentsMargins(24, 0, 0, 0);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(package);
    layout->addSpacing(8);
    layout->addWidget(m_useVoice);
    layout->addWidget(m_useWavvoice);
    layout->addSpacing(8);
    layout->addLayout(grid);
    for (QCheckBox *hidden : { m_useJEVoice, m_useJEVoice2, m_useEJ4Voice })
        layout->addWidget(hidden);
    layout->addStretch();
}

QSlider *COptionpageVoice::slider(const char *name, int minimum, int maximum)
{
    auto *s = new QSlider(Qt::Horizontal, this);
    s->setObjectName(name);
    s->setRange(minimum, maximum);
    s->setPageStep(kSliderPageStep);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(kSliderPageStep);
    return s;
}

void COptionpageVoice::load(const OptionsCopy &copy, const OptionsEnabling &enabling)
{
    show(m_useVoice, copy.useVoice);
    show(m_useWavvoice, copy.useWavvoice);
    show(m_useJEVoice, copy.useJEVoice);
    show(m_useJEVoice2, copy.useJEVoice2);
    show(m_useEJ4Voice, copy.useEJ4Voice);
    {
        // Loading is not a move: the engine keeps its rate and volume.
        const QSignalBlocker rateBlocker(m_rate);
        const QSignalBlocker volumeBlocker(m_volume);
        m_rate->setValue(copy.voiceRate);
        m_volume->setValue(copy.voiceVolume);
    }
    m_format->setCurrentIndex(copy.formatIndex);
    m_useVoice->setEnabled(enabling.useVoice);
    m_useWavvoice->setEnabled(enabling.useWavvoice);
    // Each group of controls follows its own enabling rule.
    const auto enable = [](bool enabled, std::initializer_list<QWidget *> widgets) {
        for (QWidget *w : widgets)
            w->setEnabled(enabled);
    };
    enable(enabling.voiceTest, { m_testLabel, m_testText, m_test });
    enable(enabling.voiceRate, { m_rateLabel, m_rate });
    enable(enabling.voiceVolume, { m_volumeLabel, m_volume });
    enable(enabling.voiceFormat, { m_formatLabel, m_format });
}

void COptionpageVoice::collect(OptionsCopy &copy) const
{
    copy.useVoice = m_useVoice->isChecked();
    copy.useWavvoice = m_useWavvoice->isChecked();
    copy.useJEVoice = m_useJEVoice->isChecked();
    copy.useJEVoice2 = m_useJEVoice2->isChecked();
    copy.useEJ4Voice = m_useEJ4Voice->isChecked();
    copy.voiceRate = m_rate->value();
    copy.voiceVolume = m_volume->value();
    copy.formatIndex = m_format->currentIndex();
}

} // namespace kvr::ui
