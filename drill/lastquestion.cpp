#include "drill/lastquestion.h"

#include <cstdio>

#include "db/databaseupdate.h"
#include "db/question.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/sharedfile.h"
#include "platform/textfile.h"

namespace kvr {

namespace {

const char *const kNoticeFailed = "追加できませんでした";

SaveReport notice(std::string_view utf8)
{
    return { SaveReport::Notice, cp932::text(utf8) };
}

bool isTopLevelSection(const TreeEntry &entry, std::string_view name)
{
    return entry.kind() == EntryKind::Section && entry.name() == name;
}

CSection &savedQuestionsSection(CQuestionDatabase &database, std::string_view userName)
{
    const std::string name = cp932::text(kSavedQuestionsSection);
    for (TreeEntry &entry : database.root.entries) {
        if (isTopLevelSection(entry, name))
            return entry.section();
    }
    CSection &section = database.root.addSection();
    section.name = name;
    section.header.headerFields[CInnerHeader::CopyrightHolder] =
        std::string(kSavedQuestionsCopyright);
    section.header.headerFields[CInnerHeader::Inputter] = std::string(userName);
    section.header.headerFields[CInnerHeader::StartMessage].clear();
    return section;
}

// The whole file as it stands; false when it cannot be opened (it is created if missing).
bool openForAppend(const std::string &path, std::FILE *&file, std::string &content)
{
    file = std::fopen(nativePath(path).c_str(), "a+b");
    if (!file)
        return false;
    std::rewind(file);
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    return true;
}

bool containsLine(std::string_view content, std::string_view wanted)
{
    CLineSplitter lines(content);
    std::string_view line;
    while (lines.next(line)) {
        if (line == wanted)
            return true;
    }
    return false;
}

} // namespace

bool hasLastQuestion(bool firstPass, int passIndex)
{
    return !firstPass || passIndex >= 1;
}

std::string lastQuestionMenuQuestion(std::string_view line)
{
    CQuestion question;
    parseQuestionLine(question, line);
    std::string first = question.questionLines[0];
    std::string second = question.questionLines[1];
    expandPartOfSpeech(first);
    expandPartOfSpeech(second);
    return cp932::text("《問題》 ") + first + ", " + second;
}

std::string lastQuestionMenuAnswer(std::string_view line)
{
    CQuestion question;
    parseQuestionLine(question, line);
    std::string text = cp932::text("《解答》 ");
    bool any = false;
    for (const std::string &answer : question.answers) {
        if (answer.empty())
            continue;
        if (any)
            text += ", ";
        text += answer;
        any = true;
    }
    return text;
}

std::string lastQuestionsFilePath(std::string_view desktopFolder)
{
    return env::joinPath(desktopFolder, kLastQuestionsFileName);
}

SaveReport appendToLastQuestionsFile(std::string_view desktopFolder, std::string_view line)
{
    if (line.empty())
        return {};
    std::FILE *file = nullptr;
    std::string content;
    if (!openForAppend(lastQuestionsFilePath(desktopFolder), file, content))
        return { SaveReport::MessageBox, "Cannot open the file" };
    // Whole lines are compared, however long, so a long question is never kept twice.
    if (containsLine(content, line)) {
        std::fclose(file);
        return notice("すでに登録されています");
    }
    std::string addition;
    if (!content.empty() && content.back() != '\n')
        addition += "\r\n"; // never glue the new line onto an unterminated last one
    addition.append(line);
    addition += "\r\n";
    const bool written = std::fwrite(addition.data(), 1, addition.size(), file) == addition.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? notice("追加しました") : notice(kNoticeFailed);
}

SaveReport addToSavedQuestions(CQuestionDatabase &database, std::string_view databasePath,
                               std::string_view userName, std::string_view line,
                               const CDailyBackup *backup)
{
    if (line.empty())
        return {};
    CSection &section = savedQuestionsSection(database, userName);
    if (section.containsLine(line))
        return notice("すでにその問題は存在しています");
    section.appendLine(std::string(line));
    const std::string sectionName = section.name;
    // The editor may have saved since this program read the file: the line goes into the
    // file as it is now. When the file cannot be written the line stays in memory.
    const DatabaseUpdate update = changeDatabaseFile(
        databasePath, database,
        [&](CQuestionDatabase &target) {
            CSection &stored = savedQuestionsSection(target, userName);
            if (!stored.containsLine(line))
                stored.appendLine(std::string(line));
            return true;
        },
        backup);
    if (update != DatabaseUpdate::Saved)
        return notice(kNoticeFailed);
    const std::string format = cp932::text("問題集 %s に追加しました");
    const std::size_t mark = format.find("%s");
    return { SaveReport::Notice, format.substr(0, mark) + sectionName + format.substr(mark + 2) };
}

} // namespace kvr
