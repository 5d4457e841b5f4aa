// Import of export files: any file either adds one node under a new unique name or leaves
// the database as it was, and an imported node exported again imports as the same node.
#include "db/exportfile.h"
#include "db/questiondatabase.h"
#include "fuzz/fuzzsupport.h"

using namespace kvr;

namespace {

// A small database with a folder to import into and names that imports may collide with.
CQuestionDatabase startingDatabase()
{
    CQuestionDatabase database;
    CSection &top = database.root.addSection();
    top.name = "S";
    top.lines = { "?a,,,,,b,,,", "plain" };
    CFolder &folder = database.root.addFolder();
    folder.name = "F";
    folder.header.notes = { "n" };
    CSection &inner = folder.addSection();
    inner.name = "S";
    return database;
}

const TreeEntry *firstOfKind(const CFolder &folder, EntryKind kind)
{
    for (const TreeEntry &entry : folder.entries) {
        if (entry.kind() == kind)
            return &entry;
    }
    return nullptr;
}

bool sameExceptName(TreeEntry a, TreeEntry b)
{
    if (a.kind() != b.kind())
        return false;
    if (a.kind() == EntryKind::Folder)
        a.folder().name = b.folder().name = "";
    else
        a.section().name = b.section().name = "";
    return a == b;
}

void importInto(std::string_view target, EntryKind kind, const std::string &file,
                const CQuestionDatabase &fileContent, bool fileReads)
{
    CQuestionDatabase database = startingDatabase();
    const CQuestionDatabase before = database;
    const std::optional<std::string> path = importNode(database, file, kind, target);
    const TreeEntry *source = fileReads ? firstOfKind(fileContent.root, kind) : nullptr;
    if (!path) {
        KVR_FUZZ_CHECK(database == before);
        return;
    }
    KVR_FUZZ_CHECK(source != nullptr);
    const CFolder &parent = target.empty() ? database.root : findFolder(database.root, target);
    const CFolder &parentBefore = target.empty() ? before.root : findFolder(before.root, target);
    KVR_FUZZ_CHECK(parent.entries.size() == parentBefore.entries.size() + 1);
    const TreeEntry &added = parent.entries.back();
    KVR_FUZZ_CHECK(sameExceptName(added, *source));
    KVR_FUZZ_CHECK(kind == EntryKind::Folder ? hasFolder(database.root, *path)
                                             : hasSection(database.root, *path));
    KVR_FUZZ_CHECK(added.name().find('/') == std::string::npos);

    // Export the new node and import it into a fresh copy of the starting database.
    const std::string exported = fuzz::scratchFile("exported.kve");
    exportNode(database, *path, exported, kind);
    CQuestionDatabase fresh = startingDatabase();
    const std::optional<std::string> again = importNode(fresh, exported, kind, target);
    KVR_FUZZ_CHECK(again.has_value());
    const CFolder &freshParent = target.empty() ? fresh.root : findFolder(fresh.root, target);
    KVR_FUZZ_CHECK(sameExceptName(freshParent.entries.back(), added));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string file = fuzz::scratchFile("import.kvf");
    fuzz::putFile(file, fuzz::asText(data, size));
    CQuestionDatabase content;
    const bool reads = readDatabase(content, file);
    for (EntryKind kind : { EntryKind::Section, EntryKind::Folder }) {
        for (std::string_view target : { "", "F", "missing" })
            importInto(target, kind, file, content, reads);
    }
    KVR_FUZZ_CHECK(importKindOf(file) == EntryKind::Folder);
    const std::string proposed =
        proposedExportFileName(fuzz::asText(data, std::min<std::size_t>(size, 64)));
    KVR_FUZZ_CHECK(proposed.find_first_of("<>,") == std::string::npos);
    return 0;
}
