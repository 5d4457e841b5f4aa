#pragma once

#include <optional>
#include <string>

#include "history/learners.h"

class QWidget;

namespace kvr {
class CAnswerLog;
class IPrompter;
class ISettingsStore;
struct CKvrSettings;
} // namespace kvr

namespace kvr::ui {

// Start-up's first-run registration: when UserName is empty, the welcome box and then the
// registration dialog; OK sets UserName and saves the settings at once. False when the
// learner cancelled (start-up then ends the program); true at once when UserName is set.
bool registerFirstLearner(QWidget *parent, CKvrSettings &settings, ISettingsStore &store,
                          const CAnswerLog &log, IPrompter &prompter);

// The main window's "利用者の追加・変更・削除": the learner-management dialog. Adds, renames and
// deletes change the log in memory at once (saved with the next log save). True when it
// closed with OK: UserName may name another learner and the settings were saved.
bool manageLearners(QWidget *parent, CKvrSettings &settings, ISettingsStore &store, CAnswerLog &log,
                    IPrompter &prompter);

// The add and rename dialogs, opened over parent.
class CQtLearnerNameDialogs final : public ILearnerNameDialogs
{
public:
    CQtLearnerNameDialogs(IPrompter &prompter, QWidget *parent)
        : m_prompter(prompter)
        , m_parent(parent)
    {
    }
    void setParent(QWidget *parent) { m_parent = parent; }

    std::optional<std::string> askNewName() override;
    std::optional<std::string> askRenamedName(const std::string &oldName) override;

private:
    IPrompter &m_prompter;
    QWidget *m_parent;
};

} // namespace kvr::ui
