#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/editorlaunch.h"
#include "drill/lastquestion.h"

namespace kvr {

class CDailyBackup;
struct CQuestionDatabase;

// "この答えも正解に追加(&A)": a typed answer the judging rules did not know becomes the
// question's next answer in the database.
struct AnswerAddition
{
    std::string sectionPath; // the drilled collection
    int position = -1; // the question's line in it
    std::string questionLine; // the line as the drill read it
    std::string answer; // CP932
};

// The questions' place where answers are added; a failure is told through the report
// (a message box) and the drill then counts nothing.
class IAnswerStore
{
public:
    virtual ~IAnswerStore() = default;
    // Notice: added; MessageBox: refused, with the reason.
    virtual SaveReport addAnswer(const AnswerAddition &addition) = 0;
};

// The line with the answer in its first empty answer field; nothing when the line does not
// decode or its five answers are all taken. A line that has the answer already is returned
// as it is.
std::optional<std::string> lineWithAnswer(std::string_view line, std::string_view answer);

// The database file both programs share: refused while the editor runs (it may hold unsaved
// changes of this very question and writes the whole file); otherwise the file is read
// afresh under its lock, the answer goes into the first empty answer field of the question
// when the line there is still the one the drill read, and the file is replaced. The
// database in memory then gets the same answer.
class CDatabaseAnswerStore final : public IAnswerStore
{
public:
    CDatabaseAnswerStore(CQuestionDatabase &database, std::string databasePath,
                         const CDailyBackup *backup,
                         std::string editorMarker = std::string(kEditorInstanceMarker));
    SaveReport addAnswer(const AnswerAddition &addition) override;

private:
    CQuestionDatabase &m_database;
    std::string m_databasePath;
    const CDailyBackup *m_backup;
    std::string m_editorMarker;
};

// The texts (CP932).
std::string answerAddedText();
std::string answerNotCp932Text();
std::string answerEditorRunningText();
std::string answersFullText();
std::string questionChangedText();
std::string answerNotSavedText();

} // namespace kvr
