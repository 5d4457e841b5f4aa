#include "app/ui/optionpage.h"

#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/cp932.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Typed numbers may go this far beyond a field's range before the field stops them.
constexpr int kTypedLimit = 99999999;

} // namespace

CRangeSpinBox::CRangeSpinBox(int minimum, int maximum, QWidget *parent)
    : QSpinBox(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{
    setRange(-kTypedLimit, kTypedLimit);
    setMinimumWidth(80);
}

void CRangeSpinBox::stepBy(int steps)
{
    setValue(std::clamp(value() + steps * singleStep(), m_minimum, m_maximum));
    selectAll();
}

QAbstractSpinBox::StepEnabled CRangeSpinBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (!isEnabled() || isReadOnly())
        return enabled;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

COptionPage::COptionPage(QWidget *parent)
    : QWidget(parent)
{
}

void COptionPage::setForwarder(std::function<void(const SheetAction &)> forwarder)
{
    m_forwarder = std::move(forwarder);
}

void COptionPage::loadPage(const OptionsCopy &copy, const OptionsEnabling &enabling)
{
    m_loading = true;
    load(copy, enabling);
    m_loading = false;
}

void COptionPage::forward(const SheetAction &action) const
{
    if (!m_loading && m_forwarder)
        m_forwarder(action);
}

QCheckBox *COptionPage::check(const char *name, std::string_view utf8)
{
    auto *box = new QCheckBox(utext(utf8), this);
    box->setObjectName(name);
    return box;
}

QRadioButton *COptionPage::radio(const char *name, std::string_view utf8)
{
    auto *button = new QRadioButton(utext(utf8), this);
    button->setObjectName(name);
    return button;
}

QPushButton *COptionPage::button(const char *name, std::string_view utf8)
{
    auto *b = new QPushButton(utext(utf8), this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel *COptionPage::label(std::string_view utf8, const char *name)
{
    auto *l = new QLabel(utext(utf8), this);
    if (name)
        l->setObjectName(name);
    return l;
}

QLineEdit *COptionPage::lineEdit(const char *name)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    return edit;
}

CRangeSpinBox *COptionPage::number(const char *name)
{
    const FieldRange range = fieldRange(name).value_or(FieldRange { 0, kTypedLimit });
    auto *box = new CRangeSpinBox(range.minimum, range.maximum, this);
    box->setObjectName(name);
    return box;
}

QCheckBox *COptionPage::switchCheck(const char *name, std::string_view utf8)
{
    QCheckBox *box = check(name, utf8);
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
    return box;
}

QRadioButton *COptionPage::switchRadio(const char *name, std::string_view utf8)
{
    QRadioButton *button = radio(name, utf8);
    connect(button, &QRadioButton::toggled, this, [this] { refresh(); });
    return button;
}

void COptionPage::show(QLineEdit *edit, const std::string &cp932)
{
    const QString text = qtext(cp932);
    if (edit->text() != text)
        edit->setText(text);
}

void COptionPage::show(QSpinBox *box, int value)
{
    if (box->value() != value)
        box->setValue(value);
}

void COptionPage::show(QCheckBox *box, bool checked)
{
    box->setChecked(checked);
}

void COptionPage::show(QRadioButton *radio, bool checked)
{
    // A radio cannot be unticked by itself while its group is exclusive.
    if (!checked && radio->isChecked()) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    } else if (checked) {
        radio->setChecked(true);
    }
}

void COptionPage::take(const QLineEdit *edit, std::string &value, OptionsCopy &copy,
                       std::string_view utf8Label)
{
    if (std::optional<std::string> text = cp932Exact(edit->text())) {
        value = std::move(*text);
        return;
    }
    copy.unstorable.push_back({ edit->objectName().toStdString(), cp932::text(utf8Label) });
}

} // namespace kvr::ui
