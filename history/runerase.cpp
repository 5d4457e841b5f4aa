#include "history/runerase.h"

#include "history/localtime.h"
#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

bool confirmed(IPrompter &prompter, std::string text)
{
    Message message;
    message.text = std::move(text);
    message.caption = cp932::text("履歴消去");
    message.buttons = Buttons::YesNo;
    return prompter.ask(message) == Reply::Yes;
}

} // namespace

bool eraseAllHistory(CAnswerLog &log, std::string_view userName, std::string_view path,
                     TreeSelection selection, IPrompter &prompter)
{
    if (selection != TreeSelection::Collection)
        return false;
    const std::string pathText(path);
    if (!confirmed(
            prompter,
            formatText(cp932::text("問題集 %s の全回答履歴を消去しますか？"), pathText.c_str())))
        return false;
    CUserLog *user = findUser(log, userName);
    if (!user)
        return false;
    const std::size_t before = user->sections.size();
    eraseSectionHistory(*user, path);
    return user->sections.size() != before;
}

bool eraseShownRun(CAnswerLog &log, std::string_view userName, std::string_view path,
                   LogModeIndex mode, int runIndex, TreeSelection selection, IPrompter &prompter)
{
    if (selection != TreeSelection::Collection)
        return false;
    CSectionLog *record = findLearnerRecord(log, userName, path, mode);
    if (!record)
        return false;
    if (runIndex < 0 || static_cast<std::size_t>(runIndex) >= record->recentRuns.size()) {
        prompter.tell(cp932::text("消去に失敗しました"));
        return false;
    }
    const auto j = static_cast<std::size_t>(runIndex);
    const std::string pathText(path);
    const std::string label = recentRunLabel(j);
    const std::string when = localDateTimeText(record->recentRuns[j].startTime, true);
    if (!confirmed(prompter,
                   formatText(cp932::text("問題集 %s の %s(%s) の回答履歴を消去しますか？"),
                              pathText.c_str(), label.c_str(), when.c_str())))
        return false;
    eraseRun(*record, j);
    return true;
}

} // namespace kvr
