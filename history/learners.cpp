#include "history/learners.h"

#include <algorithm>
#include <exception>

#include "history/answerlog.h"
#include "platform/cp932.h"
#include "platform/prompter.h"

namespace kvr {

namespace {

std::string T(std::string_view utf8)
{
    return cp932::text(utf8);
}

void warn(IPrompter &prompter, std::string_view utf8Text, std::string_view utf8Caption = {})
{
    prompter.tell(T(utf8Text), T(utf8Caption), Icon::Warning);
}

bool askYesNo(IPrompter &prompter, std::string text, std::string_view utf8Caption, Icon icon)
{
    Message message;
    message.text = std::move(text);
    message.caption = T(utf8Caption);
    message.buttons = Buttons::YesNo;
    message.icon = icon;
    return prompter.ask(message) == Reply::Yes;
}

// UserName := name, saved at once; a failed save is said, the name still holds for this run.
void storeUserName(LearnerSetting &setting, IPrompter &prompter, const std::string &name)
{
    setting.userName = name;
    if (!setting.saveSettings())
        prompter.tell(
            T("設定を保存できませんでした。\n\nこの変更は、プログラムを終了するまで有効です。"), {},
            Icon::Error);
}

constexpr std::string_view kNameFormatCaption = "利用者名の書式エラー";

} // namespace

std::vector<std::string> learnerNames(const CAnswerLog &log)
{
    std::vector<std::string> names;
    names.reserve(log.users.size());
    for (const CUserLog &user : log.users)
        names.push_back(user.name);
    return names;
}

bool refuseUnstorableName(const TypedName &name, IPrompter &prompter)
{
    if (name && name->find_first_of("\r\n") == std::string::npos)
        return true;
    warn(prompter,
         "利用者名に使えない文字が含まれています。\n\n"
         "改行や、このプログラムで扱えない文字（一部の記号や外国の文字など）を除いて"
         "入力してください。",
         kNameFormatCaption);
    return false;
}

bool acceptLearnerName(const TypedName &name, IPrompter &prompter)
{
    if (name && name->empty()) {
        warn(prompter, "新しい利用者名を入力してください。");
        return false;
    }
    return refuseUnstorableName(name, prompter);
}

bool needsFirstLearner(const std::string &userName)
{
    return userName.empty();
}

void showFirstRunWelcome(IPrompter &prompter)
{
    prompter.tell(T("Kelvora をご利用いただきありがとうございます。\n\n"
                    "まず最初に利用者を登録する必要があります。（履歴の作成時に利用されます）\n"
                    "次に表示される画面で、利用者名を入力し、OKボタンを押してください。\n"
                    "（次回からこの画面は表示されません。）"),
                  "Kelvora", Icon::Information);
}

// --- CLearnerRegistration ---------------------------------------------------------------------

CLearnerRegistration::CLearnerRegistration(LearnerSetting setting, const CAnswerLog &log,
                                           IPrompter &prompter)
    : m_setting(std::move(setting))
    , m_names(learnerNames(log))
    , m_prompter(prompter)
{
}

std::string CLearnerRegistration::initialText() const
{
    return m_names.empty() ? std::string() : m_names.front();
}

bool CLearnerRegistration::confirm(const TypedName &text)
{
    if (text && text->empty()) {
        warn(m_prompter,
             "利用者名が記入されていません\n\n解決策：\n"
             " ・新しく始めるときは、利用者名を記入してください。\n"
             " ・以前の利用履歴を引き継ぐ場合は、リストから選んでください。",
             kNameFormatCaption);
        return false;
    }
    if (!refuseUnstorableName(text, m_prompter))
        return false;
    storeUserName(m_setting, m_prompter, *text);
    return true;
}

// --- CLearnerManager --------------------------------------------------------------------------

CLearnerManager::CLearnerManager(LearnerSetting setting, CAnswerLog &log, IPrompter &prompter,
                                 ILearnerNameDialogs &dialogs)
    : m_setting(std::move(setting))
    , m_log(log)
    , m_prompter(prompter)
    , m_dialogs(dialogs)
    , m_entries(learnerNames(log))
    , m_currentName(m_setting.userName)
{
    const auto it = std::find(m_entries.begin(), m_entries.end(), m_currentName);
    if (it != m_entries.end())
        m_selected = static_cast<int>(it - m_entries.begin());
}

void CLearnerManager::select(int row)
{
    m_selected = row >= 0 && row < static_cast<int>(m_entries.size()) ? row : -1;
}

bool CLearnerManager::hasSelection() const
{
    return m_selected >= 0;
}

int CLearnerManager::findLearner(const std::string &name) const
{
    const CUserLog *user = findUser(m_log, name);
    return user ? static_cast<int>(user - m_log.users.data()) : -1;
}

void CLearnerManager::add()
{
    const std::optional<std::string> name = m_dialogs.askNewName();
    if (!name)
        return;
    if (std::find(m_entries.begin(), m_entries.end(), *name) != m_entries.end()) {
        m_prompter.tell(T("既にその名前は存在します。"), {}, Icon::Warning);
        return;
    }
    try {
        m_log.addUserLog(*name);
        m_entries.push_back(*name);
    } catch (const std::exception &) {
        m_prompter.tell(T("失敗しました。"), {}, Icon::Error);
    }
}

void CLearnerManager::rename()
{
    if (!hasSelection())
        return;
    const std::string oldName = m_entries[static_cast<std::size_t>(m_selected)];
    const std::optional<std::string> newName = m_dialogs.askRenamedName(oldName);
    if (!newName || *newName == oldName)
        return;
    const int learner = findLearner(oldName);
    if (learner < 0) {
        m_prompter.tell(T("変更に失敗しました"), {}, Icon::Error);
        return;
    }
    m_log.renameUser(static_cast<std::size_t>(learner), *newName);
    if (oldName == m_currentName)
        m_currentName = *newName;
    m_entries[static_cast<std::size_t>(m_selected)] = *newName;
}

void CLearnerManager::remove()
{
    if (m_entries.size() == 1) {
        warn(m_prompter,
             "利用者が１人しかいないので、削除できません。まず最初に利用者を追加してください。");
        return;
    }
    if (!hasSelection())
        return;
    const std::string name = m_entries[static_cast<std::size_t>(m_selected)];
    const std::string question = T("利用者 ") + name
        + T(" を削除してもよろしいですか？\n\n＜注意＞") + name
        + T(" さんの履歴は全て削除されます。");
    if (!askYesNo(m_prompter, question, "削除警告", Icon::Warning))
        return;
    const int learner = findLearner(name);
    if (learner < 0) {
        m_prompter.tell(T("削除に失敗しました"), {}, Icon::Error);
        return;
    }
    m_log.removeUser(static_cast<std::size_t>(learner));
    m_entries.erase(m_entries.begin() + m_selected);
    m_selected = -1;
}

void CLearnerManager::help()
{
    m_prompter.tell(T("・新しい利用者を作るには「利用者の追加」ボタンを押してください。\n"
                      "・名称を変更するには「利用者の名称変更」ボタンを押してください。\n"
                      "・既存の利用者を削除するには「利用者の削除」ボタンを押してください。\n"
                      "・利用者を変更するには、一覧から利用者を選び、OKボタンを押してください。"),
                    T("簡易ヘルプ"), Icon::Information);
}

bool CLearnerManager::ok()
{
    if (!hasSelection()) {
        warn(m_prompter, "利用者を選択してください。");
        return false;
    }
    const std::string name = m_entries[static_cast<std::size_t>(m_selected)];
    if (name != m_currentName
        && !askYesNo(m_prompter, T("利用者を") + name + T("に変更しますか？"), "変更確認",
                     Icon::Question))
        return false;
    storeUserName(m_setting, m_prompter, name);
    return true;
}

} // namespace kvr
