#include "editor/testsupport_editor.h"

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

} // namespace kvr::test
