#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QSpinBox>
#include <QWidget>

#include "app/options.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kvr {
class COptionsSheet;
}

namespace kvr::ui {

// A number field whose arrows stay inside the accepted range while typing may go beyond
// it, so that a typed value out of range reaches the sheet's check and its message.
class CRangeSpinBox final : public QSpinBox
{
    Q_OBJECT
public:
    CRangeSpinBox(int minimum, int maximum, QWidget *parent = nullptr);
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum;
    int m_maximum;
};

using SheetAction = std::function<void(COptionsSheet &)>;

// One page of the options sheet: it loads its controls from the sheet's working copy and
// collects them back. Every command goes through forward(), which collects all pages, runs
// the action on the sheet and loads all pages again, so enabling always follows the
// controls.
class COptionPage : public QWidget
{
    Q_OBJECT
public:
    explicit COptionPage(QWidget *parent = nullptr);

    void setForwarder(std::function<void(const SheetAction &)> forwarder);
    // Loads the controls; the page's own signals are ignored meanwhile.
    void loadPage(const OptionsCopy &copy, const OptionsEnabling &enabling);
    virtual void collect(OptionsCopy &copy) const = 0;

protected:
    virtual void load(const OptionsCopy &copy, const OptionsEnabling &enabling) = 0;
    void forward(const SheetAction &action) const;
    void refresh() const { forward({}); } // after a control that decides enabling changed

    // Controls named after their fields; utf8 texts are the system's own.
    QCheckBox *check(const char *name, std::string_view utf8);
    QRadioButton *radio(const char *name, std::string_view utf8);
    QPushButton *button(const char *name, std::string_view utf8);
    QLabel *label(std::string_view utf8, const char *name = nullptr);
    QLineEdit *lineEdit(const char *name);
    // The number field of a ranged field (its arrows' range from fieldRange()).
    CRangeSpinBox *number(const char *name);
    // A check that refreshes the page when toggled; likewise a radio.
    QCheckBox *switchCheck(const char *name, std::string_view utf8);
    QRadioButton *switchRadio(const char *name, std::string_view utf8);

    // Values into widgets without disturbing a widget that already shows them.
    static void show(QLineEdit *edit, const std::string &cp932);
    static void show(QSpinBox *box, int value);
    static void show(QCheckBox *box, bool checked);
    static void show(QRadioButton *radio, bool checked);
    // A text field back into a CP932 value; a text CP932 cannot hold is noted in copy and
    // the value keeps what it was.
    static void take(const QLineEdit *edit, std::string &value, OptionsCopy &copy,
                     std::string_view utf8Label);

private:
    std::function<void(const SheetAction &)> m_forwarder;
    bool m_loading = false;
};

} // namespace kvr::ui
