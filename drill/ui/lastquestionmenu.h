#pragma once

#include <string_view>

#include <QMenu>

#include "drill/drillwindow.h"

namespace kvr::ui {

// The popup "LastQuestion": keep the question before the current one in the text file or in
// the database, and two disabled items that show what would be kept.
class CLastQuestionMenu final : public QMenu
{
    Q_OBJECT
public:
    // line: the raw question line (CP932).
    CLastQuestionMenu(std::string_view line, QWidget *parent);

    // The target chosen for an action of this menu; nothing for the display items.
    std::optional<KeepTarget> targetOf(const QAction *action) const;

    // Shows the menu at globalPos and waits for a choice.
    std::optional<KeepTarget> choose(const QPoint &globalPos);

private:
    QAction *m_textFile = nullptr;
    QAction *m_database = nullptr;
};

} // namespace kvr::ui
