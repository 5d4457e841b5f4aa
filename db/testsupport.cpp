#include "db/testsupport.h"

#include "platform/cp932.h"

namespace kvr {

std::string visible(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out += c;
        } else {
            out += "\\x";
            out += digits[u >> 4];
            out += digits[u & 0xF];
        }
    }
    return out;
}

void PrintTo(const CQuestion &q, std::ostream *os)
{
    *os << "{q[" << visible(q.questionLines[0]) << "|" << visible(q.questionLines[1]) << "] a[";
    for (const std::string &a : q.answers)
        *os << visible(a) << "|";
    *os << "] h[" << visible(q.hints[0]) << "|" << visible(q.hints[1]) << "|" << visible(q.hints[2])
        << "] wav[" << visible(q.wavFile) << "] ext[" << visible(q.extData) << "]}";
}

namespace {

void printHeader(const std::string &name, const CInnerHeader &header, std::ostream *os)
{
    *os << "name[" << visible(name) << "] fields[" << visible(header.headerFields[0]) << "|"
        << visible(header.headerFields[1]) << "|" << visible(header.headerFields[2]) << "] notes[";
    for (const std::string &n : header.notes)
        *os << visible(n) << "|";
    *os << "]";
}

} // namespace

void PrintTo(const CSection &section, std::ostream *os)
{
    *os << "<s ";
    printHeader(section.name, section.header, os);
    for (const std::string &line : section.lines)
        *os << "\n    " << visible(line);
    *os << ">";
}

void PrintTo(const CFolder &folder, std::ostream *os)
{
    *os << "<f ";
    printHeader(folder.name, folder.header, os);
    for (const TreeEntry &entry : folder.entries) {
        *os << "\n  ";
        if (entry.kind() == EntryKind::Folder)
            PrintTo(entry.folder(), os);
        else
            PrintTo(entry.section(), os);
    }
    *os << ">";
}

void PrintTo(const CQuestionDatabase &database, std::ostream *os)
{
    *os << "preamble[";
    for (const std::string &line : database.preamble)
        *os << visible(line) << "|";
    *os << "] ";
    PrintTo(database.root, os);
}

CTempFile::CTempFile(std::string_view name)
    : m_path(m_folder.file(std::string(name)))
{
}

} // namespace kvr
