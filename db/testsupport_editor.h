#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/editoroperations.h"
#include "db/testsupport.h"
#include "platform/testsupport_prompter.h"

// Helpers of the tree-editing tests.
namespace kvr::test {

// A tree written as an outline: entries separated by ",", a folder as name[entries], a
// collection as its bare name (ASCII names only), e.g. "A[X,B[Y]],X".
CFolder treeOf(std::string_view outline);
std::string outlineOf(const CFolder &folder);

// Runs body in a child process whose files cannot grow past maxFileBytes (so every larger
// write fails) and returns what body returned there.
bool inChildWithFileLimit(std::size_t maxFileBytes, const std::function<bool()> &body);

// The database, its file, the log file and a prompter, in a fresh folder.
class EditorFiles
{
public:
    explicit EditorFiles(std::string_view outline = {});

    // Writes the database to its file (so the ".old" copy has something to copy).
    void save() const;
    // A log whose learners "u1" and "u2" each hold one record per path, in that order.
    void writeLog(const std::vector<std::string> &paths) const;
    // The record paths of every learner in the log file, learner by learner.
    std::vector<std::string> logPaths() const;

    CTempFile dbFile { "DBv3.kvr" };
    CQuestionDatabase database;
    CScriptedPrompter prompter;
    TreeEditContext context;
};

} // namespace kvr::test
