#include "db/testsupport_tree.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "db/testsupport.h"

namespace kvr::test {

namespace {

void parseEntries(CFolder &folder, std::string_view &text)
{
    while (!text.empty() && text.front() != ']') {
        const std::size_t end = text.find_first_of(",[]");
        const std::string name(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        if (!text.empty() && text.front() == '[') {
            CFolder &child = folder.addFolder();
            child.name = name;
            text.remove_prefix(1);
            parseEntries(child, text);
            text.remove_prefix(1); // "]"
        } else {
            folder.addSection().name = name;
        }
        if (!text.empty() && text.front() == ',')
            text.remove_prefix(1);
    }
}

} // namespace

CFolder treeOf(std::string_view outline)
{
    CFolder root;
    parseEntries(root, outline);
    return root;
}

std::string outlineOf(const CFolder &folder)
{
    std::string out;
    for (const TreeEntry &entry : folder.entries) {
        if (!out.empty())
            out += ',';
        out += entry.name();
        if (entry.kind() == EntryKind::Folder)
            out += '[' + outlineOf(entry.folder()) + ']';
    }
    return out;
}

CQuestionDatabase exportSampleDatabase()
{
    CQuestionDatabase database;
    database.root = treeOf("F[G[H],I]");
    CFolder &english = database.root.addFolder();
    english.name = sj("英語");
    CSection &words = english.addSection();
    words.name = sj("単語");
    words.header.headerFields = { "c", "i", "s" };
    words.header.notes = { "n" };
    words.lines = { "?apple,,,,," + sj("りんご") + ",,,", "plain" };
    CFolder &f = database.root.entries[0].folder();
    f.header.headerFields = { "fc", "", "fs" };
    f.header.notes = { "a", "", "b" };
    return database;
}

bool inChildWithFileLimit(std::size_t maxFileBytes, const std::function<bool()> &body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { maxFileBytes, maxFileBytes };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)
        && WEXITSTATUS(status) == 0;
}

} // namespace kvr::test
