// The per-question page's popups: the tick commands and the list's right-click menu.
#include <QAction>
#include <QMenu>

#include "app/weblookup.h"
#include "drill/pronunciation.h"
#include "history/tallyedits.h"
#include "history/ui/questionlogmodel.h"
#include "history/ui/questionlogpage.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QMenu *checkMenu(QWidget *parent, const char *name, const std::vector<CheckMenuItem> &items,
                 const std::function<void(CheckCommand)> &run)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QLatin1String(name));
    for (const CheckMenuItem &item : items) {
        const CheckCommand command = item.command;
        QAction *action = menu->addAction(qtext(item.label));
        QObject::connect(action, &QAction::triggered, parent, [run, command] { run(command); });
    }
    return menu;
}

} // namespace

void CQuestionlogPage::createMenus()
{
    const auto run = [this](CheckCommand command) { runCheck(command); };
    m_checkMenu = checkMenu(this, "CheckSelect", checkSelectMenu(), run);
    m_worstMenu = checkMenu(this, "SelectWorst", selectWorstMenu(), run);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("QuestionLogPopup"));
    m_pronounce = m_popup->addAction(utext("発音(&S)"));
    m_pronounce->setObjectName(QStringLiteral("pronounceItem"));
    connect(m_pronounce, &QAction::triggered, this, &CQuestionlogPage::pronounceTicked);
    m_webMenu = m_popup->addMenu(qtext(webLookupMenuTitle()));
    m_webMenu->setObjectName(QStringLiteral("webLookupMenu"));
    m_popup->addSeparator();
    QAction *erase = m_popup->addAction(utext("チェックした問題の履歴を削除...(&D)"));
    erase->setObjectName(QStringLiteral("deleteHistoryItem"));
    connect(erase, &QAction::triggered, this, &CQuestionlogPage::deleteTickedHistory);
    m_popup->addSeparator();
    m_popup->addMenu(createCorrectionMenu("correctMenu", "正解数±(&C)", TallySideKind::Correct));
    m_popup->addMenu(
        createCorrectionMenu("incorrectMenu", "不正解数±(&I)", TallySideKind::Incorrect));
}

QMenu *CQuestionlogPage::createCorrectionMenu(const char *name, const char *title,
                                              TallySideKind side)
{
    auto *menu = new QMenu(utext(title), m_popup);
    menu->setObjectName(QLatin1String(name));
    for (int value : kCountCorrections) {
        QAction *action = menu->addAction(qtext(countCorrectionLabel(value)));
        connect(action, &QAction::triggered, this,
                [this, side, value] { correctSelected(side, value); });
    }
    return menu;
}

void CQuestionlogPage::openPopup(const QPoint &globalPos)
{
    const std::optional<int> first = firstSelectedRow();
    const CSection *section = selectedSection(m_context, m_selection);
    if (!first || !section || !questionPopupOpens(m_model->rowAt(*first)))
        return;
    m_lookedUp = questionAt(*section, m_model->rowAt(*first).position);
    rebuildWebMenu(m_lookedUp);
    m_pronounce->setEnabled(m_context.voice.speechAvailable());
    m_popup->popup(globalPos);
}

void CQuestionlogPage::rebuildWebMenu(const CQuestion &question)
{
    m_webMenu->clear();
    for (const WebLookupItem &item : webLookupItems(m_context.webDictionaries, question)) {
        QAction *action = m_webMenu->addAction(qtext(item.text));
        const int command = item.command;
        connect(action, &QAction::triggered, this, [this, command] {
            guarded(m_context.prompter, [&] {
                runWebLookupCommand(m_context.webDictionaries, command, m_lookedUp,
                                    m_context.shell);
            });
        });
    }
    m_webMenu->menuAction()->setEnabled(!m_webMenu->isEmpty());
}

void CQuestionlogPage::pronounceTicked()
{
    const CSection *section = selectedSection(m_context, m_selection);
    if (!section)
        return;
    guarded(m_context.prompter,
            [&] { m_context.voice.pronounceQuestions(questionsAt(*section, tickedPositions())); });
}

void CQuestionlogPage::deleteTickedHistory()
{
    const CSection *section = selectedSection(m_context, m_selection);
    if (!section)
        return;
    CSectionLog *record = selectedRecord(m_context, m_selection);
    bool changed = false;
    guarded(m_context.prompter, [&] {
        changed = kvr::deleteTickedHistory(record, *section, tickedPositions(), m_context.prompter);
    });
    if (!changed)
        return;
    m_model->refreshCounts(record, basis());
    saveLogNow(m_context);
    if (m_context.refreshMain)
        m_context.refreshMain();
}

void CQuestionlogPage::correctSelected(TallySideKind side, int value)
{
    const CSection *section = selectedSection(m_context, m_selection);
    if (!section)
        return;
    CSectionLog *record = selectedRecord(m_context, m_selection);
    bool changed = false;
    guarded(m_context.prompter, [&] {
        changed = correctCounts(record, *section, selectedPositions(), side, value, basis());
    });
    if (!changed)
        return;
    m_model->refreshCounts(record, basis());
    fitColumns();
    saveLogNow(m_context);
}

} // namespace kvr::ui
