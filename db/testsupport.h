#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "db/question.h"
#include "db/questiondatabase.h"
#include "platform/testsupport.h"

// Helpers shared by the database tests.
namespace kvr {

// Readable failure output: bytes outside printable ASCII are shown as \xNN.
std::string visible(std::string_view bytes);
void PrintTo(const CQuestion &question, std::ostream *os);
void PrintTo(const CSection &section, std::ostream *os);
void PrintTo(const CFolder &folder, std::ostream *os);
void PrintTo(const CQuestionDatabase &database, std::ostream *os);

// A file name in a fresh folder of its own, removed with the object.
class CTempFile
{
public:
    explicit CTempFile(std::string_view name = "db.kvr");

    const std::string &path() const { return m_path; }
    const std::string &folder() const { return m_folder.path(); }

private:
    TempFolder m_folder;
    std::string m_path;
};

} // namespace kvr
