#include "history/ui/questionlogpage.h"

#include <QButtonGroup>
#include <QCursor>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>

#include "app/kvrsettings.h"
#include "app/mainwindow.h"
#include "history/ui/pagepainter.h"
#include "history/ui/questionlogmodel.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// The controls below the list, around the painted "/ %d" at (137, bottom - 80).
constexpr int kListBottomGap = 92;
constexpr int kTotalTextLeft = 137;
constexpr int kTotalTextFromBottom = 80;
constexpr int kRightColumnLeft = 190;
constexpr int kButtonHeight = 24;

// The tick commands' popups open at the cursor, a little up and to the left.
QPoint checkPopupPos()
{
    return QCursor::pos() + QPoint(-10, -5);
}

} // namespace

CQuestionlogPage::CQuestionlogPage(HistoryPageContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_model(new CQuestionLogModel(this))
    , m_view(new QTableView(this))
    , m_checkSelect(pageButton(this, "checkSelectButton", "選択変更↓",
                               "選択状態を様々な基準で変更します。右の入力欄で指定した数だけ選"
                               "択されます。"))
    , m_countField(new QLineEdit(QString::number(kSelectionCountInitial), this))
    , m_selectWorst(pageButton(this, "selectWorstButton", "低正解率の問題を選択↓",
                               "正解率の低い問題を選択します。"))
    , m_lastMissed(pageButton(this, "lastMissedButton", "前回間違えた問題を選択",
                              "前回の学習で間違えた問題を選択します。"))
    , m_learnTicked(pageButton(this, "learnTickedButton", "選択した問題を覚える",
                               "チェックで選択されている問題を学習します"))
{
    setObjectName(QStringLiteral("questionlogPage"));
    m_view->setObjectName(QStringLiteral("questionList"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setShowGrid(true);
    m_view->setWordWrap(false);
    m_view->setTabKeyNavigation(false);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView *rows = m_view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed); // thousands of rows stay cheap
    rows->setDefaultSectionSize(m_view->fontMetrics().height() + 5);
    QHeaderView *columns = m_view->horizontalHeader();
    columns->setSectionsClickable(true);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const std::vector<ColumnHeading> headings = questionColumnHeadings();
    for (std::size_t i = 0; i < headings.size(); ++i)
        m_view->setColumnWidth(static_cast<int>(i), headings[i].width);

    m_countField->setObjectName(QStringLiteral("selectionCountField"));
    m_countField->setValidator(new QIntValidator(0, 99999, m_countField));
    m_rateGroup = createRateGroup();
    createMenus();
    showRateBasis();

    connect(columns, &QHeaderView::sectionClicked, this, &CQuestionlogPage::sortByColumn);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { openPopup(m_view->viewport()->mapToGlobal(pos)); });
    connect(m_model, &CQuestionLogModel::checkToggled, this, &CQuestionlogPage::userToggled);
    connect(m_checkSelect, &QPushButton::clicked, this,
            [this] { m_checkMenu->popup(checkPopupPos()); });
    connect(m_selectWorst, &QPushButton::clicked, this,
            [this] { m_worstMenu->popup(checkPopupPos()); });
    connect(m_lastMissed, &QPushButton::clicked, this,
            [this] { runCheck(CheckCommand::LastMissed); });
    connect(m_learnTicked, &QPushButton::clicked, this, &CQuestionlogPage::learnTicked);
}

CQuestionlogPage::~CQuestionlogPage() = default;

QWidget *CQuestionlogPage::createRateGroup()
{
    auto *group = new QGroupBox(utext("正解率の計算方法"), this);
    group->setObjectName(QStringLiteral("rateGroup"));
    m_rateRadios = new QButtonGroup(this);
    struct Radio
    {
        const char *name;
        const char *text;
        const char *tip;
        RateBasis basis;
    };
    const Radio radios[] = {
        { "firstRadio", "初回", "最初の回答の正解数・不正解数から正解率を計算します。",
          RateBasis::FirstAnswers },
        { "retryRadio", "再回答", "再回答の正解数・不正解数から正解率を計算します。",
          RateBasis::Retries },
        { "bothRadio", "両方", "最初の回答と再回答の正解数・不正解数から正解率を計算します。",
          RateBasis::Both },
    };
    auto *row = new QHBoxLayout(group);
    row->setContentsMargins(8, 2, 4, 4);
    row->setSpacing(8);
    for (const Radio &radio : radios) {
        auto *button = new QRadioButton(utext(radio.text), group);
        button->setObjectName(QLatin1String(radio.name));
        button->setToolTip(utext(radio.tip));
        m_rateRadios->addButton(button, static_cast<int>(radio.basis));
        row->addWidget(button);
    }
    row->addStretch();
    connect(m_rateRadios, &QButtonGroup::idClicked, this, &CQuestionlogPage::rateBasisChosen);
    return group;
}

void CQuestionlogPage::setSelection(const PageSelection &selection)
{
    m_selection = selection;
    update();
}

void CQuestionlogPage::clear()
{
    m_model->clear();
}

void CQuestionlogPage::fill()
{
    const CSection *section = selectedSection(m_context, m_selection);
    if (!section) {
        clear();
        return;
    }
    guarded(m_context.prompter, [&] {
        m_model->setRows(
            buildQuestionRows(*section, selectedRecord(m_context, m_selection), basis()));
    });
    // The rows are in collection order again: no column shows a sort arrow.
    m_view->horizontalHeader()->setSortIndicatorShown(false);
    fitColumns();
    showCountUpdate(m_model->marks().takeCountUpdate());
    showRateBasis();
}

void CQuestionlogPage::fitColumns()
{
    const QFontMetrics cells(m_view->font());
    const QFontMetrics headings(m_view->horizontalHeader()->font());
    constexpr int padding = 12; // the cell's margins and grid line
    constexpr int arrow = 16; // the sort arrow beside a heading
    std::vector<int> textWidths(kQuestionColumnCount, 0);
    for (int column = 0; column < kQuestionColumnCount; ++column) {
        const QString title = m_model->headerData(column, Qt::Horizontal).toString();
        textWidths[column] = headings.horizontalAdvance(title) + padding + arrow;
    }
    for (const QuestionRow &row : m_model->rows()) {
        for (int column = static_cast<int>(QuestionColumn::Correct); column < kQuestionColumnCount;
             ++column) {
            const QString text = qtext(row.cells[static_cast<std::size_t>(column)]);
            textWidths[column] =
                std::max(textWidths[column], cells.horizontalAdvance(text) + padding);
        }
    }
    const int scrollBar = m_view->verticalScrollBar()->sizeHint().width();
    const std::vector<int> widths =
        questionColumnWidths(m_view->width() - 2 * m_view->frameWidth() - scrollBar, textWidths);
    for (std::size_t i = 0; i < widths.size(); ++i)
        m_view->setColumnWidth(static_cast<int>(i), widths[i]);
}

RateBasis CQuestionlogPage::basis() const
{
    return rateBasisFromSetting(m_context.settings.CorrectrateMode);
}

void CQuestionlogPage::showRateBasis()
{
    const int id = static_cast<int>(rateBasisRadio(m_context.settings.CorrectrateMode));
    if (QAbstractButton *radio = m_rateRadios->button(id))
        radio->setChecked(true);
}

void CQuestionlogPage::rateBasisChosen(int basis)
{
    m_context.settings.CorrectrateMode = basis;
    m_model->refreshCounts(selectedRecord(m_context, m_selection), this->basis());
    fitColumns();
    m_context.settings.saveWindowState(m_context.store);
}

void CQuestionlogPage::sortByColumn(int column)
{
    if (column < 0 || column >= kQuestionColumnCount)
        return;
    const auto which = static_cast<QuestionColumn>(column);
    const bool ascending = m_sortOrder.nextAscending(which);
    m_model->sortRows(which, ascending, selectedRecord(m_context, m_selection) != nullptr);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSortIndicator(
        column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CQuestionlogPage::runCheck(CheckCommand command)
{
    const CSection *section = selectedSection(m_context, m_selection);
    if (!section || m_model->rows().empty())
        return;
    std::optional<int> shown;
    guarded(m_context.prompter, [&] {
        shown = runCheckCommand(command, m_model->marks(), *section,
                                selectedRecord(m_context, m_selection), basis(),
                                m_countField->text().toInt());
    });
    m_model->marksChanged();
    showCountUpdate(shown);
}

void CQuestionlogPage::userToggled(int position, bool checked)
{
    m_model->marks().setByUser(position, checked, selectedPositions());
    m_model->marksChanged();
    showCountUpdate(m_model->marks().takeCountUpdate());
}

void CQuestionlogPage::showCountUpdate(std::optional<int> count)
{
    if (count)
        m_countField->setText(QString::number(*count));
}

void CQuestionlogPage::learnTicked()
{
    const std::optional<WindowDrillRequest> request = tickedDrillRequest(
        m_selection.path, m_selection.selection, m_model->marks().drillSelection(m_model->rows()),
        currentDrillMode(m_context.settings.LogMode));
    if (request && m_context.startDrill)
        m_context.startDrill(*request);
}

std::vector<int> CQuestionlogPage::selectedPositions() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<int> positions;
    positions.reserve(rows.size());
    for (int row : rows)
        positions.push_back(m_model->rowAt(row).position);
    return positions;
}

std::optional<int> CQuestionlogPage::firstSelectedRow() const
{
    std::optional<int> first;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        first = first ? std::min(*first, index.row()) : index.row();
    return first;
}

std::vector<int> CQuestionlogPage::tickedPositions() const
{
    return m_model->marks().checkedPositions(m_model->rows());
}

void CQuestionlogPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void CQuestionlogPage::placeControls()
{
    const int w = width();
    const int h = height();
    m_view->setGeometry(5, 5, std::max(0, w - 10), std::max(0, h - 5 - kListBottomGap));
    fitColumns();
    const int rowA = h - kTotalTextFromBottom - 6;
    // The rate group is as wide as its three radios need; the buttons left of it take what
    // is left.
    const int rightWidth =
        std::max({ w - 5 - kRightColumnLeft, m_rateGroup->sizeHint().width(), 150 });
    const int rightLeft = std::min(kRightColumnLeft, w - 5 - rightWidth);
    const int leftWidth = std::max(60, rightLeft - 10);
    m_checkSelect->setGeometry(5, rowA, 74, kButtonHeight);
    m_countField->setGeometry(82, rowA + 1, kTotalTextLeft - 4 - 82, kButtonHeight - 2);
    const int worstWidth = std::max(kRightColumnLeft + 150, w - 5) - kRightColumnLeft;
    m_selectWorst->setGeometry(kRightColumnLeft, rowA, worstWidth, kButtonHeight);
    m_lastMissed->setGeometry(5, rowA + 28, leftWidth, kButtonHeight);
    m_learnTicked->setGeometry(5, rowA + 56, leftWidth, kButtonHeight);
    m_rateGroup->setGeometry(rightLeft, rowA + 27, rightWidth, 58);
}

void CQuestionlogPage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    drawPageTexts(painter,
                  { PaintText { selectionTotalText(m_selection.questionCount), kTotalTextLeft,
                                static_cast<double>(height() - kTotalTextFromBottom), kPaintBlack,
                                PageFont::Mincho13 } });
}

} // namespace kvr::ui
