#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvr {

class CAnswerLog;
class IPrompter;

// The current learner's name as the settings hold it (UserName) and how to save the
// settings at once. The history layer sits below the settings record, so the caller binds
// these to CKvrSettings::UserName and CKvrSettings::saveAll.
struct LearnerSetting
{
    std::string &userName; // CP932
    std::function<bool()> saveSettings; // false when the settings could not be stored
};

// A name as the learner typed it: CP932 text, or nothing when it holds a character CP932
// cannot hold (the user-interface layer converts with cp932Exact).
using TypedName = std::optional<std::string>;

// Names of the learners in the log, in log order.
std::vector<std::string> learnerNames(const CAnswerLog &log);

// The name checks shared by the registration, add and rename dialogs that go beyond "not
// empty": a character CP932 cannot hold, or a line break (it would split the learner line
// of the log file). Shows the message and returns false when the name is refused.
bool refuseUnstorableName(const TypedName &name, IPrompter &prompter);

// OK of the add and rename dialogs: false (and a message, the dialog stays open) for an
// empty or unstorable name.
bool acceptLearnerName(const TypedName &name, IPrompter &prompter);

// --- First-run registration ----------------------------------------------------------------

// True when start-up must register a learner (UserName is empty).
bool needsFirstLearner(const std::string &userName);

// The welcome box shown before the registration dialog.
void showFirstRunWelcome(IPrompter &prompter);

// The registration dialog's rules: the combo box lists the learners of the log, the first
// one preselected; OK takes the typed text as UserName and saves the settings at once.
class CLearnerRegistration
{
public:
    CLearnerRegistration(LearnerSetting setting, const CAnswerLog &log, IPrompter &prompter);

    const std::vector<std::string> &names() const { return m_names; }
    // The combo box's text when the dialog opens: the first name, or empty.
    std::string initialText() const;
    // OK with the combo box's text: true when the dialog closes (UserName is set).
    bool confirm(const TypedName &text);

private:
    LearnerSetting m_setting;
    std::vector<std::string> m_names;
    IPrompter &m_prompter;
};

// --- Learner management ----------------------------------------------------------------------

// The add and rename dialogs. Each returns the accepted name (checked by
// acceptLearnerName before its OK closes it), or nothing when cancelled.
class ILearnerNameDialogs
{
public:
    virtual ~ILearnerNameDialogs() = default;
    // The add dialog, opened with an empty name.
    virtual std::optional<std::string> askNewName() = 0;
    // The rename dialog: the old name read-only and the new name field holding it.
    virtual std::optional<std::string> askRenamedName(const std::string &oldName) = 0;
};

// The learner-management dialog as data: the list, its selection and the remembered current
// name; every button is one operation. Adds, renames and deletes change the log at once.
class CLearnerManager
{
public:
    CLearnerManager(LearnerSetting setting, CAnswerLog &log, IPrompter &prompter,
                    ILearnerNameDialogs &dialogs);

    const std::vector<std::string> &entries() const { return m_entries; }
    int selected() const { return m_selected; } // -1: none
    void select(int row); // a row outside the list clears the selection
    const std::string &currentName() const { return m_currentName; }

    void add();
    void rename();
    void remove();
    void help();
    // True when the dialog closes with OK (UserName is the selected name).
    bool ok();

private:
    int findLearner(const std::string &name) const;
    bool hasSelection() const;

    LearnerSetting m_setting;
    CAnswerLog &m_log;
    IPrompter &m_prompter;
    ILearnerNameDialogs &m_dialogs;
    std::vector<std::string> m_entries;
    int m_selected = -1;
    std::string m_currentName;
};

} // namespace kvr
