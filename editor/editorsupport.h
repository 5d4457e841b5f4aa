#pragma once

#include <string>
#include <string_view>

#include "editor/editoroperations.h"

// What the editor's tree commands share: words of their messages, the ".old" copy and the
// history rename.
namespace kvr::editor {

// "問題集" or "フォルダ".
std::string kindWord(EntryKind kind);

// Shows a plain message box with a CP932 text.
void tell(TreeEditContext &context, const std::string &text);

// Copies the database file byte for byte to its ".old" path, replacing it atomically; false
// when the file cannot be read or the copy cannot be written.
bool writeOldCopy(const std::string &databasePath);

// Carries every learner's history from oldPath to newPath (a collection's records, or the
// records below a folder). A log that cannot be loaded is skipped quietly; one that cannot
// be saved is reported.
void renameHistory(TreeEditContext &context, std::string_view oldPath, std::string_view newPath,
                   EntryKind kind);

} // namespace kvr::editor
