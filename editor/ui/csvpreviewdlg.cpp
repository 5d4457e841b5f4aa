#include "editor/ui/csvpreviewdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/csvpreview.h"
#include "platform/ui/buttons.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QComboBox *columnBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMinimumWidth(160);
    return box;
}

// The combo box's column: its item data (-1 for "（なし）").
int chosen(const QComboBox *box)
{
    return box->currentIndex() < 0 ? -1 : box->currentData().toInt();
}

// Fills the box with the column names (and "（なし）" first when optional), keeping column.
void fillColumns(QComboBox *box, const CsvPreviewView &view, bool optional, int column)
{
    const QSignalBlocker blocker(box);
    box->clear();
    if (optional)
        box->addItem(qtext(view.noColumn), -1);
    for (std::size_t i = 0; i < view.columnNames.size(); ++i)
        box->addItem(qtext(view.columnNames[i]), static_cast<int>(i));
    box->setCurrentIndex(std::max(0, box->findData(column)));
}

} // namespace

CCsvPreviewDlg::CCsvPreviewDlg(const CsvFile &file, QWidget *parent)
    : QDialog(parent)
    , m_file(file)
    , m_headerBox(new QCheckBox(this))
    , m_answer(columnBox(this, "answer"))
    , m_question(columnBox(this, "question"))
    , m_hint(columnBox(this, "hint"))
    , m_table(new QTableWidget(this))
    , m_summary(new QLabel(this))
    , m_leftOut(new QLabel(this))
{
    const CsvPreviewView view = csvPreviewView(file, file.columns);
    setWindowTitle(qtext(view.caption));
    m_headerBox->setObjectName("headerRow");
    m_headerBox->setText(qtext(view.headerBoxText));
    m_headerBox->setChecked(file.columns.headerRow);
    fillColumns(m_answer, view, false, file.columns.answer);
    fillColumns(m_question, view, true, file.columns.question);
    fillColumns(m_hint, view, true, file.columns.hint);
    m_table->setObjectName("preview");
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setMinimumSize(520, 240);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_summary->setObjectName("summary");
    m_leftOut->setObjectName("leftOut");
    m_leftOut->setStyleSheet(QStringLiteral("color: #b00000"));

    auto *choices = new QFormLayout;
    choices->addRow(qtext(view.answerLabel), m_answer);
    choices->addRow(qtext(view.questionLabel), m_question);
    choices->addRow(qtext(view.hintLabel), m_hint);

    QDialogButtonBox *buttons = okCancelBox(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_headerBox);
    layout->addLayout(choices);
    layout->addWidget(m_summary);
    layout->addWidget(m_leftOut);
    layout->addWidget(buttons);

    for (QComboBox *box : { m_answer, m_question, m_hint })
        connect(box, &QComboBox::currentIndexChanged, this, &CCsvPreviewDlg::render);
    connect(m_headerBox, &QCheckBox::toggled, this, &CCsvPreviewDlg::render);
    render();
}

CsvColumns CCsvPreviewDlg::columns() const
{
    return CsvColumns { chosen(m_answer), chosen(m_question), chosen(m_hint),
                        m_headerBox->isChecked() };
}

void CCsvPreviewDlg::render()
{
    const CsvColumns current = columns();
    const CsvPreviewView view = csvPreviewView(m_file, current);
    fillColumns(m_answer, view, false, current.answer);
    fillColumns(m_question, view, true, current.question);
    fillColumns(m_hint, view, true, current.hint);

    const std::size_t first = view.firstShownRecord;
    const std::size_t shown =
        std::min(kCsvPreviewRows, m_file.records.size() - std::min(first, m_file.records.size()));
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(view.columnNames.size()));
    m_table->setRowCount(static_cast<int>(shown));
    QStringList names;
    for (const std::string &name : view.columnNames)
        names << qtext(name);
    m_table->setHorizontalHeaderLabels(names);
    for (std::size_t row = 0; row < shown; ++row) {
        const CsvRecord &record = m_file.records[first + row];
        m_table->setVerticalHeaderItem(static_cast<int>(row),
                                       new QTableWidgetItem(QString::number(record.line)));
        for (std::size_t column = 0; column < record.fields.size(); ++column) {
            // The file's own text: shown as read, also where CP932 cannot hold it.
            m_table->setItem(static_cast<int>(row), static_cast<int>(column),
                             new QTableWidgetItem(utext(record.fields[column])));
        }
    }
    m_summary->setText(qtext(view.summary));
    m_leftOut->setText(qtext(view.leftOut));
    m_leftOut->setVisible(!view.leftOut.empty());
}

std::optional<CsvColumns> CCsvPreviewDlg::ask(QWidget *parent, const CsvFile &file)
{
    CCsvPreviewDlg dialog(file, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.columns();
}

} // namespace kvr::ui
