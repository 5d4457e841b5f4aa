#include "drill/answeraddition.h"

#include "db/databaseupdate.h"
#include "db/question.h"
#include "db/questiondatabase.h"
#include "platform/cp932.h"
#include "platform/error.h"

namespace kvr {

namespace {

enum class Outcome { Added, Present, Full, Changed };

// Adds the answer to the line at the addition's place when it is still the drill's line.
Outcome addTo(CQuestionDatabase &database, const AnswerAddition &addition)
{
    if (!hasSection(database.root, addition.sectionPath))
        return Outcome::Changed;
    CSection &section = findSection(database.root, addition.sectionPath);
    const std::size_t position = static_cast<std::size_t>(addition.position);
    if (addition.position < 0 || position >= section.lines.size()
        || section.lines[position] != addition.questionLine)
        return Outcome::Changed;
    const std::optional<std::string> changed =
        lineWithAnswer(addition.questionLine, addition.answer);
    if (!changed)
        return Outcome::Full;
    if (*changed == addition.questionLine)
        return Outcome::Present;
    section.lines.set(position, *changed);
    return Outcome::Added;
}

SaveReport box(std::string text)
{
    return { SaveReport::MessageBox, std::move(text) };
}

} // namespace

std::optional<std::string> lineWithAnswer(std::string_view line, std::string_view answer)
{
    CQuestion question;
    if (!parseQuestionLine(question, line))
        return std::nullopt;
    // Judging reads the answers up to the first empty one: the new one goes there.
    for (std::string &slot : question.answers) {
        if (slot == answer)
            return std::string(line);
        if (slot.empty()) {
            slot = answer;
            return formatQuestionLine(question);
        }
    }
    return std::nullopt;
}

CDatabaseAnswerStore::CDatabaseAnswerStore(CQuestionDatabase &database, std::string databasePath,
                                           const CDailyBackup *backup, std::string editorMarker)
    : m_database(database)
    , m_databasePath(std::move(databasePath))
    , m_backup(backup)
    , m_editorMarker(std::move(editorMarker))
{
}

SaveReport CDatabaseAnswerStore::addAnswer(const AnswerAddition &addition)
{
    if (!cp932::fromUtf8(cp932::toUtf8(addition.answer)).ok())
        return box(answerNotCp932Text());
    if (editorIsRunning(m_editorMarker))
        return box(answerEditorRunningText());
    Outcome outcome = Outcome::Changed;
    const DatabaseUpdate update = changeDatabaseFile(
        m_databasePath, m_database,
        [&](CQuestionDatabase &fresh) {
            outcome = addTo(fresh, addition);
            return outcome == Outcome::Added;
        },
        m_backup);
    if (update == DatabaseUpdate::Saved || outcome == Outcome::Present) {
        addTo(m_database, addition);
        return { SaveReport::Notice, answerAddedText() };
    }
    if (update == DatabaseUpdate::Refused)
        return box(outcome == Outcome::Full ? answersFullText() : questionChangedText());
    return box(answerNotSavedText());
}

std::string answerAddedText()
{
    return cp932::text("この答えを正解に追加しました");
}

std::string answerNotCp932Text()
{
    return cp932::text("この答えには保存できない文字が含まれているため、正解に追加できません。");
}

std::string answerEditorRunningText()
{
    return cp932::text("問題エディタが起動しているため、正解に追加できません。\n"
                       "問題エディタを終了してから、もう一度お試しください。");
}

std::string answersFullText()
{
    return cp932::text("この問題にはすでに５つの答えがあるため、正解に追加できません。");
}

std::string questionChangedText()
{
    return cp932::text("この問題はデータベースで変更されているため、正解に追加できません。");
}

std::string answerNotSavedText()
{
    return cp932::text("データベースに保存できなかったため、正解に追加できませんでした。");
}

} // namespace kvr
