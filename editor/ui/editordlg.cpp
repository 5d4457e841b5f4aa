// The editor's main window: its controls, the render of the session's view and the events
// it forwards.
#include "editor/ui/editordlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include "drill/ui/answeredit.h"
#include "editor/editorlabels.h"
#include "editor/editorsession.h"
#include "editor/ui/editorwindowactions.h"
#include "editor/ui/questiongridmodel.h"
#include "platform/ui/fonts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// The help texts and captions: the longest, the hint field's, fits one line at the default
// window size.
constexpr int kHelpFontPixels = 11;
// The dictionary lists and the buttons beside the fields.
constexpr int kSideColumnWidth = 140;

QLabel *helpLabel(const std::string &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(qtext(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(gothicFont(kHelpFontPixels));
    return label;
}

QPushButton *button(const std::string &text, const char *name, QWidget *parent)
{
    auto *result = new QPushButton(qtext(text), parent);
    result->setObjectName(QLatin1String(name));
    result->setAutoDefault(false); // Enter belongs to the grid's rows
    return result;
}

QPlainTextEdit *lineField(const char *name, int lines, QWidget *parent)
{
    auto *field = new QPlainTextEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setTabChangesFocus(true);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    const int lineHeight = field->fontMetrics().lineSpacing();
    field->setFixedHeight(lineHeight * lines + 2 * field->frameWidth() + 8);
    return field;
}

// The fields hold CR LF line ends; the text controls hold LF.
QString shownLines(const std::string &text)
{
    QString shown = qtext(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

EnteredText enteredLines(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return cp932Exact(lines);
}

} // namespace

CEditorDlg::CEditorDlg(EditorWindowContext context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_session(context.session)
{
    setObjectName(QStringLiteral("CEditorDlg"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setMouseTracking(true); // the divider's cursor
    createMenus();
    createLeftPane();
    createRightPane();
    connectFields();
    // Keys reach the core before any control; focus decides the input method.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusChanged(now); });
    const EditorView &view = m_session.view();
    resize(view.windowWidth, view.windowHeight);
    render();
}

CEditorDlg::~CEditorDlg()
{
    qApp->removeEventFilter(this);
}

void CEditorDlg::createRightPane()
{
    const EditorLabels labels = editorLabels();
    m_rightPane = new QWidget(this);
    m_rightPane->setObjectName(QStringLiteral("rightPane"));

    m_selectedCaption = helpLabel(labels.selectedCollection, "selectedCaption", m_rightPane);
    // Wide enough for either caption, so the name field does not move with the selection.
    const QFontMetrics metrics(m_selectedCaption->font());
    m_selectedCaption->setMinimumWidth(
        std::max(metrics.horizontalAdvance(qtext(labels.selectedCollection)),
                 metrics.horizontalAdvance(qtext(labels.selectedFolder)))
        + 2);
    m_selectedName = new QLineEdit(m_rightPane);
    m_selectedName->setObjectName(QStringLiteral("selectedName"));
    m_selectedName->setReadOnly(true);
    m_detailsButton = button(labels.detailsButton, "detailsButton", m_rightPane);
    auto *top = new QHBoxLayout;
    top->addWidget(m_selectedCaption);
    top->addWidget(m_selectedName, 1);
    top->addWidget(m_detailsButton);

    m_model = new CQuestionGridModel(m_session.grid(), this);
    m_grid = new QTableView(m_rightPane);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setModel(m_model);
    m_grid->setShowGrid(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->setWordWrap(false);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The header forgets its widths when the table is refilled.
    const auto applyWidths = [this] {
        for (int column = 0; column < m_model->columnCount(); ++column)
            m_grid->setColumnWidth(column, CQuestionGridModel::columnWidth(column));
    };
    applyWidths();
    connect(m_model, &QAbstractItemModel::modelReset, this, applyWidths);

    auto *layout = new QVBoxLayout(m_rightPane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(createFieldArea());
    layout->addWidget(createPartButtons());
    m_collectionControls.push_back(m_grid);
}

QWidget *CEditorDlg::createFieldArea()
{
    const EditorLabels labels = editorLabels();
    auto *area = new QWidget(m_rightPane);
    area->setObjectName(QStringLiteral("fieldArea"));

    m_answerField = new CAnswerEdit(area);
    m_answerField->setObjectName(QStringLiteral("answerField"));
    m_answerNumber = new QSpinBox(area);
    m_answerNumber->setObjectName(QStringLiteral("answerNumber"));
    m_answerNumber->setRange(1, 5);
    m_nextButton = button(labels.nextButton, "nextButton", area);
    m_questionField = lineField("questionField", 2, area);
    m_hintField = lineField("hintField", 3, area);
    m_upperDictionaries = new QComboBox(area);
    m_upperDictionaries->setObjectName(QStringLiteral("upperDictionaries"));
    m_lowerDictionaries = new QComboBox(area);
    m_lowerDictionaries->setObjectName(QStringLiteral("lowerDictionaries"));
    m_upperLookup = button(labels.lookupButton, "upperLookup", area);
    m_lowerLookup = button(labels.lookupButton, "lowerLookup", area);
    m_wavButton = button(labels.wavButton, "wavButton", area);
    m_wavButton->setToolTip(
        utext("音声再生用のWAVファイルを指定します\n"
              "（自分で用意した音声ファイルを再生したい場合に設定してください）"));

    auto *answerRow = new QHBoxLayout;
    answerRow->addWidget(m_answerField, 1);
    answerRow->addWidget(m_answerNumber);
    answerRow->addWidget(m_nextButton);
    const auto captionRow = [&](const std::string &caption, const char *name,
                                const std::string &help, const char *helpName) {
        auto *row = new QHBoxLayout;
        row->addWidget(helpLabel(caption, name, area));
        if (!help.empty())
            row->addWidget(helpLabel(help, helpName, area));
        row->addStretch(1);
        return row;
    };
    QLabel *hintCaption = helpLabel(labels.hintCaption, "hintCaption", area);
    hintCaption->setWordWrap(true);

    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);
    grid->setColumnMinimumWidth(1, kSideColumnWidth);
    grid->addLayout(
        captionRow(labels.answerCaption, "answerCaption", labels.numberHelp, "numberHelp"), 0, 0);
    grid->addWidget(m_upperDictionaries, 0, 1);
    grid->addLayout(answerRow, 1, 0);
    grid->addWidget(m_upperLookup, 1, 1);
    grid->addLayout(captionRow(labels.questionCaption, "questionCaption", labels.lineBreakHelp,
                               "lineBreakHelp"),
                    2, 0);
    grid->addWidget(m_lowerDictionaries, 2, 1);
    grid->addWidget(m_questionField, 3, 0);
    grid->addWidget(m_lowerLookup, 3, 1, Qt::AlignTop);
    grid->addWidget(hintCaption, 4, 0, 1, 2);
    grid->addWidget(m_hintField, 5, 0);
    grid->addWidget(m_wavButton, 5, 1, Qt::AlignTop);

    for (QWidget *control :
         { static_cast<QWidget *>(m_answerField), static_cast<QWidget *>(m_answerNumber),
           static_cast<QWidget *>(m_nextButton), static_cast<QWidget *>(m_questionField),
           static_cast<QWidget *>(m_hintField), static_cast<QWidget *>(m_upperDictionaries),
           static_cast<QWidget *>(m_lowerDictionaries), static_cast<QWidget *>(m_upperLookup),
           static_cast<QWidget *>(m_lowerLookup), static_cast<QWidget *>(m_wavButton) })
        m_collectionControls.push_back(control);
    return area;
}

QWidget *CEditorDlg::createPartButtons()
{
    auto *area = new QWidget(m_rightPane);
    area->setObjectName(QStringLiteral("partButtons"));
    m_partLayout = new QGridLayout(area);
    m_partLayout->setContentsMargins(0, 0, 0, 0);
    m_partLayout->setVerticalSpacing(0);
    for (int index = 0; index < kPartOfSpeechCount; ++index) {
        const auto part = static_cast<PartOfSpeech>(index);
        auto *radio = new QRadioButton(qtext(partOfSpeechLabel(part)), area);
        radio->setObjectName(QStringLiteral("part%1").arg(index));
        // Pressing the checked button unchecks it: the session decides, not the group.
        radio->setAutoExclusive(false);
        radio->setFocusPolicy(Qt::NoFocus);
        connect(radio, &QRadioButton::clicked, this,
                [this, part] { forward([&] { m_session.pressPartOfSpeech(part); }); });
        m_partButtons.push_back(radio);
        m_collectionControls.push_back(radio);
    }
    arrangePartButtons(4);
    return area;
}

// In one row of eight where the pane is wide enough, else in two rows of four.
void CEditorDlg::arrangePartButtons(int columns)
{
    if (columns == m_partColumns)
        return;
    m_partColumns = columns;
    for (QRadioButton *radio : m_partButtons)
        m_partLayout->removeWidget(radio);
    for (int column = 0; column <= kPartOfSpeechCount; ++column)
        m_partLayout->setColumnStretch(column, 0);
    for (std::size_t index = 0; index < m_partButtons.size(); ++index)
        m_partLayout->addWidget(m_partButtons[index], static_cast<int>(index) / columns,
                                static_cast<int>(index) % columns);
    // Eight in a row keep together at the left; four a row share the width.
    if (columns == kPartOfSpeechCount)
        m_partLayout->setColumnStretch(columns, 1);
    else
        for (int column = 0; column < columns; ++column)
            m_partLayout->setColumnStretch(column, 1);
}

void CEditorDlg::connectFields()
{
    connect(m_answerField, &QLineEdit::textChanged, this, [this](const QString &text) {
        forward([&] { m_session.editField(EditField::Answer, cp932Exact(text)); });
    });
    connect(m_questionField, &QPlainTextEdit::textChanged, this, [this] {
        forward([&] {
            m_session.editField(EditField::Question, enteredLines(m_questionField->toPlainText()));
        });
    });
    connect(m_hintField, &QPlainTextEdit::textChanged, this, [this] {
        forward([&] {
            m_session.editField(EditField::Hint, enteredLines(m_hintField->toPlainText()));
        });
    });
    connect(m_answerNumber, &QSpinBox::valueChanged, this, [this](int value) {
        forward([&] { m_session.moveAnswerNumber(value - m_session.view().answerNumber); });
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    forward([&] { m_session.selectRow(static_cast<std::size_t>(current.row())); });
            });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        forward([&] { m_session.sortByColumn(static_cast<GridColumn>(column)); });
    });
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { showGridPopup(m_grid->viewport()->mapToGlobal(at)); });
    connect(m_detailsButton, &QPushButton::clicked, this,
            [this] { runCommand(EditorCommand::Details); });
    connect(m_nextButton, &QPushButton::clicked, this,
            [this] { runCommand(EditorCommand::NextRow); });
    connect(m_wavButton, &QPushButton::clicked, this,
            [this] { runCommand(EditorCommand::ChooseWav); });
    connect(m_upperLookup, &QPushButton::clicked, this, [this] {
        forward([&] {
            m_session.lookUp(true, static_cast<std::size_t>(m_upperDictionaries->currentIndex()));
        });
    });
    connect(m_lowerLookup, &QPushButton::clicked, this, [this] {
        forward([&] {
            m_session.lookUp(false, static_cast<std::size_t>(m_lowerDictionaries->currentIndex()));
        });
    });
}

void CEditorDlg::forward(const std::function<void()> &event)
{
    if (m_rendering)
        return;
    guarded(m_context.prompter, [&] { event(); });
    render();
}

void CEditorDlg::runCommand(EditorCommand command)
{
    if (m_rendering)
        return;
    CommandEffect effect = CommandEffect::None;
    guarded(m_context.prompter, [&] { effect = m_session.run(command); });
    render();
    switch (effect) {
    case CommandEffect::None:
        break;
    case CommandEffect::Close:
        m_closing = true;
        done(QDialog::Accepted);
        break;
    case CommandEffect::ShowHelp:
        m_context.actions.showHelp(this);
        break;
    case CommandEffect::OpenHomePage:
        m_context.actions.openHomePage();
        break;
    case CommandEffect::ShowAbout:
        m_context.actions.showAbout(this);
        break;
    }
}

void CEditorDlg::render()
{
    if (m_rendering)
        return;
    m_rendering = true;
    setWindowTitle(qtext(m_session.view().title));
    renderTree();
    renderSelection();
    renderGrid();
    renderFields();
    renderDictionaries();
    renderTab();
    m_rendering = false;
}

void CEditorDlg::renderSelection()
{
    const EditorView &view = m_session.view();
    m_selectedCaption->setText(qtext(view.selectedCaption));
    m_selectedName->setText(qtext(view.selectedName));
    m_detailsButton->setEnabled(!view.selectedName.empty());
    for (QWidget *control : m_collectionControls)
        control->setEnabled(view.collectionControls);
}

void CEditorDlg::renderGrid()
{
    const EditorView &view = m_session.view();
    m_model->sync(view);
    QItemSelectionModel *selection = m_grid->selectionModel();
    if (!view.currentRow) {
        selection->clear();
        return;
    }
    const QModelIndex current = m_model->index(static_cast<int>(*view.currentRow), 0);
    if (selection->currentIndex().row() != current.row()
        || !selection->isRowSelected(current.row()))
        selection->setCurrentIndex(current,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(current);
}

void CEditorDlg::renderFields()
{
    const EditorView &view = m_session.view();
    if (view.fieldsRevision != m_fieldsRevision) {
        m_fieldsRevision = view.fieldsRevision;
        m_answerField->setText(qtext(view.fields.answer));
        m_questionField->setPlainText(shownLines(view.fields.question));
        m_hintField->setPlainText(shownLines(view.fields.hint));
    }
    m_answerNumber->setValue(view.answerNumber);
    for (int index = 0; index < kPartOfSpeechCount; ++index)
        m_partButtons[static_cast<std::size_t>(index)]->setChecked(
            view.markedPart == static_cast<PartOfSpeech>(index));
}

void CEditorDlg::renderDictionaries()
{
    const EditorDictionaryLists &lists = m_session.view().dictionaries;
    if (m_dictionariesShown && lists.upper == m_dictionaries.upper
        && lists.lower == m_dictionaries.lower)
        return;
    m_dictionaries = lists;
    m_dictionariesShown = true;
    const auto fill = [](QComboBox *box, const std::vector<DictionaryEntry> &entries) {
        box->clear();
        for (const DictionaryEntry &entry : entries)
            box->addItem(qtext(entry.title), entry.site);
        box->setCurrentIndex(entries.empty() ? -1 : 0);
    };
    fill(m_upperDictionaries, lists.upper);
    fill(m_lowerDictionaries, lists.lower);
}

} // namespace kvr::ui
