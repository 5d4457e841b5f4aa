#include "drill/ui/questionlistdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/filedialogs.h"
#include "platform/prompter.h"
#include "platform/ui/buttons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

constexpr int kFixedWidths[] = { 4, 32, 64, 128 };
constexpr int kOptId = -2; // the button group's id of "Opt" (fixed radios use their width)

} // namespace

CQuestionListDlg::CQuestionListDlg(const CSection &section, const QString &name,
                                   IPrompter &prompter, IFileDialogs &fileDialogs, QWidget *parent)
    : QDialog(parent)
    , m_section(section)
    , m_name(name)
    , m_prompter(prompter)
    , m_fileDialogs(fileDialogs)
    , m_rows(new QListWidget(this))
    , m_widths(new QButtonGroup(this))
    , m_blankRows(new QCheckBox(utext("１問毎に改行"), this))
{
    setWindowTitle(qtext(questionListCaption(cp932(name))));
    setSizeGripEnabled(true);
    QFont listFont = gothicFont(14);
    listFont.setFixedPitch(true);
    m_rows->setFont(listFont);
    m_rows->setObjectName("rows");
    m_rows->setUniformItemSizes(true);
    m_blankRows->setObjectName("blankRows");
    m_blankRows->setChecked(true);

    QPushButton *exportButton = namedButton(this, "export", "ファイル出力");
    QPushButton *close = namedButton(this, "close", "終了");
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_blankRows);
    bottom->addStretch();
    bottom->addWidget(exportButton);
    bottom->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_rows, 1);
    layout->addWidget(buildBorderGroup());
    layout->addLayout(bottom);
    setMinimumSize(300, 300);
    resize(640, 480);

    connect(m_blankRows, &QCheckBox::toggled, this, [this] {
        if (m_opt->isChecked())
            m_width = parseQuestionListWidth(cp932(m_optField->cleanText())).value_or(m_width);
        rebuild();
    });
    connect(exportButton, &QPushButton::clicked, this, &CQuestionListDlg::exportRows);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    autoCount();
}

QWidget *CQuestionListDlg::buildBorderGroup()
{
    auto *group = new QGroupBox(utext("Border"), this);
    auto *radios = new QHBoxLayout;
    for (int width : kFixedWidths) {
        auto *radio = new QRadioButton(QString::number(width), group);
        radio->setObjectName(QString("width%1").arg(width));
        m_widths->addButton(radio, width);
        radios->addWidget(radio);
    }
    m_opt = new QRadioButton(utext("Opt"), group);
    m_opt->setObjectName("opt");
    m_widths->addButton(m_opt, kOptId);
    radios->addWidget(m_opt);
    radios->addStretch();

    m_optField = new QSpinBox(group);
    m_optField->setObjectName("optWidth");
    m_optField->setRange(kQuestionListMinWidth, kQuestionListMaxWidth);
    m_optField->setMinimumWidth(80);
    m_optField->installEventFilter(this);
    QPushButton *autoButton = namedButton(group, "autoCount", "&AutoCount");
    auto *optRow = new QHBoxLayout;
    optRow->addWidget(m_optField);
    optRow->addWidget(autoButton);
    optRow->addStretch();

    auto *layout = new QVBoxLayout(group);
    layout->addLayout(radios);
    layout->addLayout(optRow);

    connect(m_widths, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == kOptId) {
            optChosen(true);
            m_optField->setFocus();
        } else {
            applyWidth(id);
        }
    });
    connect(m_optField, &QSpinBox::valueChanged, this, [this] {
        m_opt->setChecked(true);
        optChosen(false);
    });
    connect(autoButton, &QPushButton::clicked, this, &CQuestionListDlg::autoCount);
    return group;
}

bool CQuestionListDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_optField && event->type() == QEvent::FocusIn) {
        m_opt->setChecked(true);
        optChosen(false);
    }
    return QDialog::eventFilter(watched, event);
}

void CQuestionListDlg::applyWidth(int width)
{
    if (m_built && width == m_width)
        return;
    m_width = width;
    rebuild();
}

// "Opt": the number field's value; an invalid one is refused (said when tellWhenInvalid,
// quietly while it is being typed) and the list stays as it is.
void CQuestionListDlg::optChosen(bool tellWhenInvalid)
{
    const std::optional<int> width = parseQuestionListWidth(cp932(m_optField->cleanText()));
    if (width)
        applyWidth(*width);
    else if (tellWhenInvalid)
        m_prompter.tell(integerRangeMessage(kQuestionListMinWidth, kQuestionListMaxWidth), {},
                        Icon::Warning);
}

void CQuestionListDlg::autoCount()
{
    {
        const QSignalBlocker blocker(m_optField);
        m_optField->setValue(autoCountWidth(m_section));
    }
    m_opt->setChecked(true);
    optChosen(false);
}

void CQuestionListDlg::rebuild()
{
    m_list = buildQuestionList(m_section, m_width, m_blankRows->isChecked());
    m_built = true;
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(m_list.rows.size()));
    for (const std::string &row : m_list.rows)
        rows.append(qtext(row));
    m_rows->clear();
    m_rows->addItems(rows);
    // Rows share one size (fast for long collections): the first row carries the width of
    // the widest, so the horizontal scroll range covers every row.
    if (QListWidgetItem *first = m_rows->item(0))
        first->setSizeHint(QSize(m_list.extentPixels, m_rows->fontMetrics().height() + 2));
}

void CQuestionListDlg::exportRows()
{
    guarded(m_prompter, "ファイルを出力できませんでした。(%s)", [this] {
        FileRequest request;
        request.mode = FileDialogMode::Save;
        request.title = cp932::text("ファイル出力");
        request.filters = { { "Text Files(*.txt)", "*.txt" },
                            { cp932::text("すべて(*.*)"), "*.*" } };
        request.defaultExtension = "txt";
        request.proposedName =
            env::joinPath(env::desktopFolder(), questionListFileName(cp932(m_name)));
        if (const std::optional<std::string> path = m_fileDialogs.askPath(request))
            exportQuestionList(m_list.rows, *path, m_prompter);
    });
}

} // namespace kvr::ui
