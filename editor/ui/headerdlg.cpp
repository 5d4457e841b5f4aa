#include "editor/ui/headerdlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/textrules.h"
#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QLineEdit *lineField(QWidget *parent, const char *name, const std::string &text, bool editable)
{
    auto *field = new QLineEdit(qtext(text), parent);
    field->setObjectName(name);
    field->setReadOnly(!editable);
    field->setMinimumWidth(320);
    return field;
}

// A field's text as CP932 into target; false (target kept) when CP932 cannot hold it.
bool take(const QString &text, std::string &target)
{
    std::optional<std::string> converted = cp932Exact(text);
    if (!converted)
        return false;
    target = std::move(*converted);
    return true;
}

} // namespace

CHeaderDlg::CHeaderDlg(const HeaderDialogView &view, QWidget *parent)
    : QDialog(parent)
    , m_view(view)
    , m_root(new QRadioButton(utext("ルート（一番上）"), this))
    , m_under(new QRadioButton(utext("現在のフォルダの下"), this))
    , m_name(lineField(this, "name", view.form.name, view.nameEditable))
    , m_inputter(lineField(this, "inputter", view.form.inputter, view.headerEditable))
    , m_copyrightHolder(
          lineField(this, "copyrightHolder", view.form.copyrightHolder, view.headerEditable))
    , m_startMessage(lineField(this, "startMessage", view.form.startMessage, view.headerEditable))
    , m_notes(new QPlainTextEdit(this))
{
    setWindowTitle(qtext(view.caption));
    m_root->setObjectName("placeRoot");
    m_under->setObjectName("placeUnder");
    m_under->setEnabled(view.placeUnderEnabled);
    (view.form.underSelectedFolder && view.placeUnderEnabled ? m_under : m_root)->setChecked(true);
    auto *place = new QGroupBox(utext("新しい問題集を作る場所"), this);
    place->setObjectName("place");
    auto *placeRow = new QHBoxLayout(place);
    placeRow->addWidget(m_root);
    placeRow->addWidget(m_under);
    placeRow->addStretch();
    place->setVisible(view.placeShown);

    m_notes->setObjectName("notes");
    m_notes->setPlainText(
        qtext(view.form.notes).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_notes->setReadOnly(!view.headerEditable);
    m_notes->setFixedHeight(96);

    auto *fields = new QFormLayout;
    fields->addRow(qtext(view.nameLabel), m_name);
    fields->addRow(utext("データ入力者名"), m_inputter);
    fields->addRow(utext("著作権者名"), m_copyrightHolder);
    fields->addRow(utext("開始メッセージ"), m_startMessage);
    fields->addRow(utext("備考"), m_notes);
    fields->itemAt(0, QFormLayout::LabelRole)->widget()->setObjectName("nameLabel");

    QDialogButtonBox *buttons = okCancelBox(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(place);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    (view.nameEditable ? m_name : static_cast<QWidget *>(m_inputter))->setFocus();
}

HeaderForm CHeaderDlg::form() const
{
    HeaderForm form = m_view.form;
    bool ok = true;
    if (m_view.nameEditable)
        ok = take(m_name->text(), form.name) && ok;
    if (m_view.headerEditable) {
        ok = take(m_inputter->text(), form.inputter) && ok;
        ok = take(m_copyrightHolder->text(), form.copyrightHolder) && ok;
        ok = take(m_startMessage->text(), form.startMessage) && ok;
        std::string notes;
        if (take(m_notes->toPlainText(), notes))
            form.notes = withCrLf(notes);
        else
            ok = false;
    }
    form.underSelectedFolder = m_view.placeShown && m_under->isChecked();
    form.unmappable = !ok;
    return form;
}

std::optional<HeaderForm> CHeaderDlg::ask(QWidget *parent, const HeaderDialogView &view)
{
    CHeaderDlg dialog(view, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.form();
}

} // namespace kvr::ui
