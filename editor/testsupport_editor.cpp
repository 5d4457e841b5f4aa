#include "editor/testsupport_editor.h"

#include <unistd.h>

#include "history/answerlog.h"
#include "platform/environment.h"

namespace kvr::test {

EditorFiles::EditorFiles(std::string_view outline)
    : context { database, dbFile.path(), env::joinPath(dbFile.folder(), "translog.txt"), prompter }
{
    database.root = treeOf(outline);
}

void EditorFiles::save() const
{
    writeDatabase(database, context.databasePath);
}

void EditorFiles::writeLog(const std::vector<std::string> &paths) const
{
    CAnswerLog log;
    for (const char *name : { "u1", "u2" }) {
        CUserLog &user = log.addUserLog(name);
        for (const std::string &path : paths)
            obtainSectionLog(user, path, LogModeIndex::JapaneseToEnglishTyped).studyCount = 1;
    }
    log.saveAnswerLog(context.logPath);
}

std::vector<std::string> EditorFiles::logPaths() const
{
    CAnswerLog log;
    log.loadAnswerLog(context.logPath);
    std::vector<std::string> paths;
    for (const CUserLog &user : log.users) {
        for (const CSectionLog &record : user.sections)
            paths.push_back(record.sectionName);
    }
    return paths;
}

void EditorFiles::writeTallies(const std::string &path, const std::vector<int> &marks,
                               int modes) const
{
    CAnswerLog log;
    for (const char *name : { "u1", "u2" }) {
        CUserLog &user = log.addUserLog(name);
        for (int mode = 0; mode < modes; ++mode) {
            CSectionLog &record = obtainSectionLog(user, path, static_cast<LogModeIndex>(mode));
            for (std::size_t i = 0; i < marks.size(); ++i)
                setTally(record, i, QuestionTally::FirstCorrect, marks[i]);
        }
    }
    log.saveAnswerLog(context.logPath);
}

std::vector<std::string> EditorFiles::tallyMarks(const std::string &path) const
{
    CAnswerLog log;
    log.loadAnswerLog(context.logPath);
    std::vector<std::string> result;
    for (const CUserLog &user : log.users) {
        for (const CSectionLog &record : user.sections) {
            if (record.sectionName != path)
                continue;
            std::string marks;
            for (const QuestionTally &tally : record.tallies()) {
                marks += marks.empty() ? "" : ",";
                marks += std::to_string(tally.values[QuestionTally::FirstCorrect]);
            }
            result.push_back(marks);
        }
    }
    return result;
}

std::string uniqueMarkerName()
{
    static int count = 0;
    return "kvr-editor-test-" + std::to_string(::getpid()) + "-" + std::to_string(++count);
}

RowFiles::RowFiles(std::vector<std::string> lines, std::string_view outline)
    : EditorFiles(outline)
    , edit(database, context.databasePath, prompter)
    , rows { edit, prompter, store, context.logPath, clipboard, uniqueMarkerName() }
{
    findSection(database.root, "S").lines = std::move(lines);
    save();
    edit.databaseRead();
    edit.open(SelectedItem { "S", "S", EntryKind::Section });
}

std::vector<std::string> RowFiles::savedLines() const
{
    CQuestionDatabase saved;
    readDatabase(saved, context.databasePath);
    return findSection(saved.root, "S").lines.toStrings();
}

void RowFiles::startDrill(const std::string &lastSection)
{
    drill.acquire(rows.markerName);
    store.writeString("Options", "LastSection", lastSection);
}

SessionFiles::SessionFiles(std::string_view outline, const std::string &lastSection)
    : EditorFiles(outline)
{
    save();
    settings.DatabaseFilename = context.databasePath;
    settings.LogPath = context.logPath;
    settings.LastSection = lastSection;
    store.writeString("Options", "LastSection", lastSection);
    session = std::make_unique<CEditorSession>(
        EditorServices { settings, store, database, dictionaries, prompter, clipboard, fileDialogs,
                         dialogs, markerName, CSystemClock::instance(), &backups });
}

void SessionFiles::setLines(const std::string &path, std::vector<std::string> lines)
{
    findSection(database.root, path).lines = std::move(lines);
    save();
    session->edit().databaseRead();
}

std::vector<std::string> SessionFiles::savedLines(const std::string &path) const
{
    CQuestionDatabase saved;
    readDatabase(saved, context.databasePath);
    return findSection(saved.root, path).lines.toStrings();
}

TreeIndexPath SessionFiles::chainOf(const std::string &path) const
{
    return findNodeByPath(session->view().tree, path);
}

bool SessionFiles::select(const std::string &path)
{
    return session->selectTreeItem(chainOf(path));
}

} // namespace kvr::test
