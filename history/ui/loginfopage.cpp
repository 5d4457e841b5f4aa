#include "history/ui/loginfopage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/kvrsettings.h"
#include "drill/questionselection.h"
#include "history/modelist.h"
#include "history/runerase.h"
#include "history/ui/pagepainter.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// Where the controls sit around the painted labels ("の履歴" at (95, 125); "モード" and
// "出題数" at width - 325, 50 and 24 above the bottom; the range at width - 190).
constexpr int kRunListTop = 121;
constexpr int kGroupLeftFromRight = 335;
constexpr int kGroupTopFromBottom = 71;
constexpr int kFieldLeftFromRight = 281;
constexpr int kRowHeight = 22;

} // namespace

CLoginfoPage::CLoginfoPage(HistoryPageContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
    , m_runList(new QComboBox(this))
    , m_eraseAll(pageButton(this, "eraseAllButton", "全履歴消去",
                            "表示中の問題集の履歴を全て削除します。"))
    , m_eraseRun(
          pageButton(this, "eraseRunButton", "履歴消去", "表示している回の履歴を消去します。"))
    , m_drillGroup(new QGroupBox(utext("出題設定"), this))
    , m_modeList(new QComboBox(this))
    , m_count(new QSpinBox(this))
    , m_all(pageButton(this, "allButton", "all", "問題集の全問題を回答します。"))
    , m_learn(pageButton(this, "learnButton", "覚える(&T)", "通常の学習を開始します。"))
{
    setObjectName(QStringLiteral("loginfoPage"));
    m_runList->setObjectName(QStringLiteral("runList"));
    m_drillGroup->setObjectName(QStringLiteral("drillGroup"));
    m_drillGroup->lower(); // the fields lie over the group's frame
    m_modeList->setObjectName(QStringLiteral("modeList"));
    for (const std::string &label : modeListLabels())
        m_modeList->addItem(qtext(label));
    m_count->setObjectName(QStringLiteral("countField"));
    m_count->setRange(0, 0);
    m_learn->setDefault(true);

    connect(m_runList, &QComboBox::currentIndexChanged, this, [this] { update(); });
    connect(m_eraseAll, &QPushButton::clicked, this, &CLoginfoPage::eraseAll);
    connect(m_eraseRun, &QPushButton::clicked, this, &CLoginfoPage::eraseRun);
    connect(m_modeList, &QComboBox::activated, this, [this](int position) {
        emit logModeChosen(static_cast<int>(toLogMode(modeAtListPosition(position))));
    });
    connect(m_all, &QPushButton::clicked, this,
            [this] { m_count->setValue(m_selection.questionCount); });
    connect(m_learn, &QPushButton::clicked, this, &CLoginfoPage::learn);
    reloadRunList();
}

void CLoginfoPage::setSelection(const PageSelection &selection)
{
    m_selection = selection;
    const bool collection = selection.selection == TreeSelection::Collection;
    for (QWidget *control : { static_cast<QWidget *>(m_learn), static_cast<QWidget *>(m_count),
                              static_cast<QWidget *>(m_all), static_cast<QWidget *>(m_modeList) })
        control->setEnabled(collection);
    update();
}

void CLoginfoPage::reloadRunList()
{
    // A folder has no runs of its own: nothing of the collection shown before stays.
    const bool collection = m_selection.selection == TreeSelection::Collection;
    const std::vector<std::string> labels =
        runListLabels(collection ? selectedRecord(m_context, m_selection) : nullptr);
    {
        const QSignalBlocker quiet(m_runList);
        m_runList->clear();
        for (const std::string &label : labels)
            m_runList->addItem(qtext(label));
        m_runList->setCurrentIndex(labels.empty() ? -1 : 0);
    }
    const bool shown = !labels.empty();
    m_runList->setVisible(shown);
    m_eraseAll->setVisible(shown);
    m_eraseRun->setVisible(shown);
    update();
}

void CLoginfoPage::setCountRange(int minimum, int maximum, int initial)
{
    m_count->setRange(minimum, maximum);
    m_count->setValue(initial);
}

void CLoginfoPage::showLogMode(int logMode)
{
    if (logMode >= 0 && logMode < kDrillModeCount)
        showDrillMode(toDrillMode(static_cast<LogModeIndex>(logMode)));
}

void CLoginfoPage::showDrillMode(DrillMode mode)
{
    const QSignalBlocker quiet(m_modeList);
    m_modeList->setCurrentIndex(listPositionOf(mode));
}

DrillMode CLoginfoPage::listedMode() const
{
    return modeAtListPosition(m_modeList->currentIndex());
}

void CLoginfoPage::learn()
{
    std::optional<WindowDrillRequest> request;
    guarded(m_context.prompter, [&] {
        request =
            learnRequest(m_selection.path, m_selection.selection, m_count->value(),
                         m_selection.questionCount, m_modeList->currentIndex(), m_context.prompter);
    });
    if (request && m_context.startDrill)
        m_context.startDrill(*request);
}

void CLoginfoPage::eraseAll()
{
    bool changed = false;
    guarded(m_context.prompter, [&] {
        changed = eraseAllHistory(m_context.log, m_context.settings.UserName, m_selection.path,
                                  m_selection.selection, m_context.prompter);
    });
    if (changed)
        afterLogChange();
}

void CLoginfoPage::eraseRun()
{
    bool changed = false;
    guarded(m_context.prompter, [&] {
        changed =
            eraseShownRun(m_context.log, m_context.settings.UserName, m_selection.path,
                          static_cast<LogModeIndex>(m_context.settings.LogMode),
                          m_runList->currentIndex(), m_selection.selection, m_context.prompter);
    });
    if (changed)
        afterLogChange();
}

void CLoginfoPage::afterLogChange()
{
    if (m_context.refreshMain)
        m_context.refreshMain();
    saveLogNow(m_context);
}

bool CLoginfoPage::eventFilter(QObject *watched, QEvent *event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!key || !m_learn->isVisible() || !m_learn->isEnabled())
        return QWidget::eventFilter(watched, event);
    auto *press = static_cast<QKeyEvent *>(event);
    if (press->key() != Qt::Key_T || press->modifiers() != Qt::AltModifier)
        return QWidget::eventFilter(watched, event);
    // The override claims the key from the menu bar; the press that follows clicks.
    if (event->type() == QEvent::KeyPress)
        m_learn->animateClick();
    event->accept();
    return true;
}

void CLoginfoPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void CLoginfoPage::placeControls()
{
    const int w = width();
    const int h = height();
    m_runList->setGeometry(12, kRunListTop, 80, kRowHeight);
    const int eraseRunWidth = std::max(76, m_eraseRun->sizeHint().width());
    const int eraseAllWidth = std::max(86, m_eraseAll->sizeHint().width());
    m_eraseRun->setGeometry(w - 10 - eraseRunWidth, kRunListTop - 1, eraseRunWidth, 24);
    m_eraseAll->setGeometry(m_eraseRun->x() - 4 - eraseAllWidth, kRunListTop - 1, eraseAllWidth,
                            24);

    m_drillGroup->setGeometry(w - kGroupLeftFromRight, h - kGroupTopFromBottom,
                              kGroupLeftFromRight - 8, kGroupTopFromBottom - 2);
    m_modeList->setGeometry(w - kFieldLeftFromRight, h - 54, 112, kRowHeight);
    m_count->setGeometry(w - kFieldLeftFromRight, h - 28, 84, kRowHeight);
    m_all->setGeometry(w - 126, h - 29, 38, 24);
    // Inside the group's frame, below the line its title sits on.
    const int frameTop = m_drillGroup->y() + m_drillGroup->fontMetrics().height() + 2;
    m_learn->setGeometry(w - 84, frameTop, 70, h - 7 - frameTop);
}

void CLoginfoPage::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    StatisticsInput input;
    input.record = selectedRecord(m_context, m_selection);
    input.selection = m_selection.selection;
    input.questionCount = m_selection.questionCount;
    if (m_runList->isVisibleTo(this) && m_runList->currentIndex() >= 0)
        input.selectedRun = m_runList->currentIndex();
    input.width = width();
    input.height = height();
    const StatisticsPaint paint = statisticsPaint(input);

    QPainter painter(this);
    if (paint.graph)
        paintGraph(painter, *paint.graph);
    drawPageTexts(painter, paint.texts);
}

void CLoginfoPage::paintGraph(QPainter &painter, const RunGraph &graph)
{
    // The plot on white, so the line reads on any background colour.
    painter.fillRect(pageRect(graph.frame), Qt::white);
    painter.fillRect(pageRect(graph.highlight), toQColor(kGraphHighlight));
    // The outline after the highlight, which reaches the frame's edge for the newest run.
    drawPageOutline(painter, graph.frame, Qt::black);

    QPolygonF line;
    for (const PointF &point : graph.points)
        line << QPointF(point.x, point.y);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(toQColor(kGraphLine), 1, Qt::SolidLine));
    painter.drawPolyline(line);
    painter.restore();
    drawPageTexts(painter, graph.labels);
}

} // namespace kvr::ui
