#pragma once

#include <functional>

#include <QUrl>

#include "app/ui/optionpage.h"

class QComboBox;
class QSlider;

namespace kvr {
class CPronunciation;
}

namespace kvr::ui {

// "音声再生": speech on or off, recorded voices, the test text, rate, volume and format.
// The sliders act on the speech engine at once.
class COptionpageVoice final : public COptionPage
{
    Q_OBJECT
public:
    COptionpageVoice(CPronunciation &pronunciation, std::function<void(const QUrl &)> showHelp,
                     QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

    // The help section that tells which speech packages to install.
    static QUrl speechPackagesPage(); // qrc:/help/top.html#voice

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    QSlider *slider(const char *name, int minimum, int maximum);

    CPronunciation &m_pronunciation;
    QCheckBox *m_useVoice;
    QCheckBox *m_useWavvoice;
    QLineEdit *m_testText;
    QPushButton *m_test;
    QSlider *m_rate;
    QSlider *m_volume;
    QComboBox *m_format;
    QCheckBox *m_useJEVoice;
    QCheckBox *m_useJEVoice2;
    QCheckBox *m_useEJ4Voice;
    QLabel *m_testLabel;
    QLabel *m_rateLabel;
    QLabel *m_volumeLabel;
    QLabel *m_formatLabel;
};

} // namespace kvr::ui
