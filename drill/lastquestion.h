#pragma once

#include <string>
#include <string_view>

#include "db/questiondatabase.h"

namespace kvr {

class CDailyBackup;

// The top-level collection that keeps questions saved during drills (UTF-8 source text).
inline constexpr std::string_view kSavedQuestionsSection = "【回答中に保存された問題】";
inline constexpr std::string_view kSavedQuestionsCopyright = "various members";
inline constexpr std::string_view kLastQuestionsFileName = "KVR-lasts.txt";

// A question before the current one exists in every re-answer pass, and in the first pass
// from its second question on.
bool hasLastQuestion(bool firstPass, int passIndex);

// The two display-only items of the "LastQuestion" popup (CP932): "《問題》 " with both
// question lines, part-of-speech expanded, joined with ", "; "《解答》 " with the non-empty
// answers joined with ", ".
std::string lastQuestionMenuQuestion(std::string_view line);
std::string lastQuestionMenuAnswer(std::string_view line);

// How a save reports itself: a transient notice in the drill window or a message box.
struct SaveReport
{
    enum Kind { Nothing, Notice, MessageBox };
    Kind kind = Nothing;
    std::string text; // CP932
};

// desktopFolder + "KVR-lasts.txt".
std::string lastQuestionsFilePath(std::string_view desktopFolder);

// Appends the line to "KVR-lasts.txt" in desktopFolder unless a line of the file already
// equals it. "Cannot open the file" (message box), "すでに登録されています", "追加しました",
// or "追加できませんでした" when the write fails. An empty line does nothing.
SaveReport appendToLastQuestionsFile(std::string_view desktopFolder, std::string_view line);

// Adds the line to "【回答中に保存された問題】" (created at the end of the root with
// inputter userName) unless it is there already, then adds it to the file at databasePath as
// the file is now (read under its lock, so what the editor saved meanwhile stays; a missing
// file is written from memory). "すでにその問題は存在しています", "問題集 %s に追加しました", or
// "追加できませんでした" (the line stays in memory only; a file that does not read is left
// alone). An empty line does nothing.
// A backup given is taken before the file is written.
SaveReport addToSavedQuestions(CQuestionDatabase &database, std::string_view databasePath,
                               std::string_view userName, std::string_view line,
                               const CDailyBackup *backup = nullptr);

} // namespace kvr
