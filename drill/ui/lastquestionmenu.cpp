#include "drill/ui/lastquestionmenu.h"

#include "drill/lastquestion.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

QAction *displayItem(QMenu *menu, const char *name, const std::string &text)
{
    // A question may hold "&", which a menu would take for a mnemonic.
    QString shown = qtext(text);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction *action = menu->addAction(shown);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(false);
    return action;
}

} // namespace

CLastQuestionMenu::CLastQuestionMenu(std::string_view line, QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("LastQuestion"));
    m_textFile = addAction(utext("テキストファイルに追加する...(&T)"));
    m_textFile->setObjectName(QStringLiteral("keepInTextFile"));
    m_database = addAction(utext("データベースに追加する...(&A)"));
    m_database->setObjectName(QStringLiteral("keepInDatabase"));
    addSeparator();
    displayItem(this, "lastQuestion", lastQuestionMenuQuestion(line));
    displayItem(this, "lastAnswer", lastQuestionMenuAnswer(line));
}

std::optional<KeepTarget> CLastQuestionMenu::targetOf(const QAction *action) const
{
    if (action && action == m_textFile)
        return KeepTarget::TextFile;
    if (action && action == m_database)
        return KeepTarget::Database;
    return std::nullopt;
}

std::optional<KeepTarget> CLastQuestionMenu::choose(const QPoint &globalPos)
{
    return targetOf(exec(globalPos));
}

} // namespace kvr::ui
