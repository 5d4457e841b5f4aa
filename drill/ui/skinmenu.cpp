#include "drill/ui/skinmenu.h"

#include "drill/drillwindow.h"
#include "platform/cp932.h"
#include "platform/textfile.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CSkinMenu::CSkinMenu(const std::string &skinPath, QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("skinMenu"));
    m_reload = addAction(utext("スキンの再読込(&R)\tF5"));
    m_reload->setObjectName(QStringLiteral("reloadSkin"));
    QMenu *change = addMenu(utext("スキンの変更(&S)"));
    change->setObjectName(QStringLiteral("changeSkin"));
    m_skins = listSkins(skinPath);
    for (const SkinMenuEntry &entry : m_skins) {
        QString text = qtext(skinMenuText(entry));
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = change->addAction(text);
        action->setCheckable(true);
        action->setChecked(entry.current);
        m_skinActions.push_back(action);
    }
    m_chooseFile = change->addAction(utext("ファイル選択... (&C)"));
    m_chooseFile->setObjectName(QStringLiteral("chooseSkinFile"));
    addSeparator();
    m_about = addAction(utext("Kvr(Kelvora)のﾊﾞｰｼﾞｮﾝ情報 (&A)..."));
    m_about->setObjectName(QStringLiteral("about"));
}

DrillMenuChoice CSkinMenu::choiceOf(const QAction *action) const
{
    if (!action)
        return {};
    if (action == m_reload)
        return { DrillMenuChoice::ReloadSkin, {} };
    if (action == m_chooseFile)
        return { DrillMenuChoice::ChooseSkinFile, {} };
    if (action == m_about)
        return { DrillMenuChoice::About, {} };
    for (std::size_t i = 0; i < m_skinActions.size(); ++i) {
        // Entries beyond the selectable ones are listed but do nothing.
        if (action == m_skinActions[i] && m_skins[i].selectable)
            return { DrillMenuChoice::ChooseSkin, m_skins[i].path };
    }
    return {};
}

DrillMenuChoice CSkinMenu::choose(const QPoint &globalPos)
{
    return choiceOf(exec(globalPos));
}

FileRequest skinFileRequest(const std::string &skinPath)
{
    FileRequest request;
    request.title = cp932::text("スキンファイルを指定してください。");
    request.filters = { { "*.ini", "*.ini" }, { "*", "*" } };
    request.defaultExtension = "ini";
    request.proposedName = skinPath;
    request.mustExist = true;
    return request;
}

} // namespace kvr::ui
