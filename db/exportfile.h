#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/questiondatabase.h"

// Export files: one collection (".kve") or one folder with everything below it (".kvf"),
// written as a database file whose preamble names what was exported.
namespace kvr {

// Writes the export file of the node of that kind at nodePath. The file is replaced
// atomically, so a failed export never leaves a half-written file and keeps an earlier file
// of that name whole. Raises KvrError with the look-up text when the node is missing and
// with "ファイルの作成に失敗しました…。" when the file cannot be written.
void exportNode(const CQuestionDatabase &database, std::string_view nodePath,
                std::string_view filePath, EntryKind kind);

// The export file's content as a database: the three preamble lines and a copy of the node.
CQuestionDatabase exportDatabaseOf(const CQuestionDatabase &database, std::string_view nodePath,
                                   EntryKind kind);

// Reads an export file and appends its first top-level node of the kind to the folder at
// targetFolder (the root when empty), under a unique name. The new node's path, or nothing
// when the file does not read as a database, holds no node of the kind, the target folder is
// missing or every numbered name is taken; then the database is unchanged.
std::optional<std::string> importNode(CQuestionDatabase &database, std::string_view filePath,
                                      EntryKind kind, std::string_view targetFolder = {});
bool importSection(CQuestionDatabase &database, std::string_view filePath,
                   std::string_view targetFolder = {});
bool importFolder(CQuestionDatabase &database, std::string_view filePath,
                  std::string_view targetFolder = {});

// The kind an import file holds, by the last three characters of its path ("kvf" a folder,
// "kve" a collection, exact case); nothing for any other path.
std::optional<EntryKind> importKindOf(std::string_view filePath);

// "kve" or "kvf".
std::string_view exportExtension(EntryKind kind);

// The file name an export proposes for a node: "<", ">" and "," become "＜", "＞", "，".
std::string proposedExportFileName(std::string_view nodeName);

} // namespace kvr
