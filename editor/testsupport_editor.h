#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/testsupport.h"
#include "db/testsupport_tree.h"
#include "editor/editoroperations.h"
#include "platform/testsupport_prompter.h"

// Helpers of the tree-editing tests.
namespace kvr::test {

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
