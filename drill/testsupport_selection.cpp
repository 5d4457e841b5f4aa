#include "drill/testsupport_selection.h"

#include "db/question.h"

namespace kvr::selection_test {

std::string questionLine(int n)
{
    CQuestion question;
    question.questionLines[0] = "q" + std::to_string(n);
    question.answers[0] = "a" + std::to_string(n);
    return formatQuestionLine(question);
}

CSection sectionOf(int count, const std::string &name)
{
    CSection section;
    section.name = name;
    for (int i = 0; i < count; ++i)
        section.lines.push_back(questionLine(i));
    return section;
}

CSectionLog &recordIn(CAnswerLog &log, const std::string &path, LogModeIndex mode)
{
    CUserLog &user = log.users.empty() ? log.addUserLog("learner") : log.users.front();
    return obtainSectionLog(user, path, mode);
}

} // namespace kvr::selection_test
