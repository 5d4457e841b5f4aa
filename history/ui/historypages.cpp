#include "history/ui/historypages.h"

#include "app/kvrsettings.h"
#include "app/startup.h"
#include "db/questiondatabase.h"

namespace kvr::ui {

const CSection *selectedSection(const HistoryPageContext &context, const PageSelection &selection)
{
    if (selection.selection != TreeSelection::Collection
        || !hasSection(context.database.root, selection.path))
        return nullptr;
    return &findSection(context.database.root, selection.path);
}

CSectionLog *selectedRecord(const HistoryPageContext &context, const PageSelection &selection)
{
    if (selection.selection == TreeSelection::None)
        return nullptr;
    return findLearnerRecord(context.log, context.settings.UserName, selection.path,
                             static_cast<LogModeIndex>(context.settings.LogMode));
}

bool saveLogNow(const HistoryPageContext &context)
{
    return saveLog(context.log, context.settings, context.prompter);
}

} // namespace kvr::ui
