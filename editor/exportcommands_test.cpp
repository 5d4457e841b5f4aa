#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "db/exportfile.h"
#include "editor/exportcommands.h"
#include "editor/testsupport_editor.h"
#include "platform/environment.h"
#include "platform/textfile.h"

namespace kvr {
namespace {

using test::exportSampleDatabase;
using test::outlineOf;
using test::treeOf;
using Strings = std::vector<std::string>;

// Answers file dialogs with a fixed path (empty: cancel), keeping the requests.
struct FileDialog final : IFileDialogs
{
    FileDialog(std::string answer, std::vector<FileRequest> requests)
        : answer(std::move(answer))
        , requests(std::move(requests))
    {
    }
    std::optional<std::string> askPath(const FileRequest &request) override
    {
        requests.push_back(request);
        if (answer.empty())
            return std::nullopt;
        return answer;
    }
    std::string answer;
    std::vector<FileRequest> requests;
};

TEST(ExportCommand, AnnouncesAsksWritesAndTells)
{
    const CQuestionDatabase database = exportSampleDatabase();
    CTempFile file("out.kve");
    test::CScriptedPrompter prompter;
    FileDialog dialog { file.path(), {} };
    EXPECT_TRUE(exportCommand(database, prompter, { sj("英語/単語"), EntryKind::Section }, dialog));
    EXPECT_EQ(
        prompter.texts(),
        (Strings { sj("現在選択中の問題集 英語/単語 をファイルに書き出します。\n次のダイアログで"
                      "出力ファイル名を入力してください。"),
                   sj("問題集 単語 を ファイル ") + file.path() + sj(" に出力しました。") }));
    EXPECT_EQ(dialog.requests[0].title, sj("ファイル名の入力：問題集のファイル出力"));
    EXPECT_EQ(dialog.requests[0].filters.at(0).label, "Kvr SectionFile (*.kve)");
    EXPECT_EQ(dialog.requests[0].proposedName, sj("単語"));
    EXPECT_TRUE(fileExists(file.path()));

    test::CScriptedPrompter failing;
    dialog.answer = file.folder() + "/no/x.kvf";
    EXPECT_FALSE(exportCommand(database, failing, { "F", EntryKind::Folder }, dialog));
    EXPECT_EQ(failing.texts().back(), sj("ファイルの作成に失敗しました…。"));
    EXPECT_EQ(dialog.requests[1].title, sj("ファイル名の入力：フォルダのファイル出力"));
    EXPECT_EQ(dialog.requests[1].filters.at(0).label, "Kvr FolderFile (*.kvf)");

    dialog.answer.clear();
    EXPECT_FALSE(exportCommand(database, failing, { "F", EntryKind::Folder }, dialog));
    EXPECT_EQ(failing.asked.size(), 3u); // the announcement only
}

// Sets an environment variable for one scope.
class CScopedVariable
{
public:
    CScopedVariable(const char *name, const std::string &value)
        : m_name(name)
    {
        if (const char *old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~CScopedVariable()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char *m_name;
    std::optional<std::string> m_old;
};

TEST(ExportCommand, FileDialogsStartOnTheDesktopOrElseAtHome)
{
    CTempFile home("unused");
    CScopedVariable homeVariable("HOME", home.folder());
    CScopedVariable config("XDG_CONFIG_HOME", home.folder() + "/.config");
    const NodeRef node { "S", EntryKind::Section };
    // A fresh account: no user-dirs file and no Desktop folder.
    EXPECT_EQ(exportDialogRequest(node).startFolder, home.folder());
    EXPECT_EQ(importDialogRequest().startFolder, home.folder());

    ASSERT_TRUE(env::makeFolders(home.folder() + "/Desktop"));
    EXPECT_EQ(exportDialogRequest(node).startFolder, home.folder() + "/Desktop");
    EXPECT_EQ(importDialogRequest().startFolder, home.folder() + "/Desktop");
}

TEST(ImportCommand, RefusesBadExtensionsMissingAndBrokenFiles)
{
    CTempFile good("good.kvf");
    exportNode(exportSampleDatabase(), "F", good.path(), EntryKind::Folder);
    CTempFile broken("broken.kve");
    writeFile(broken.path(), "# nothing\r\n");
    struct Row
    {
        std::string path;
        std::string text; // empty: imported without a message
    };
    const Row rows[] = {
        { good.path(), "" },
        { "", "" },
        { good.folder() + "/a.KVF", sj("拡張子が不正です") },
        { good.folder() + "/none.kvf",
          sj("フォルダファイル ") + good.folder() + sj("/none.kvf が見つかりませんでした。") },
        { broken.path(), sj("インポートに失敗しました。") },
    };
    for (const Row &row : rows) {
        CQuestionDatabase database;
        test::CScriptedPrompter prompter;
        FileDialog dialog { row.path, {} };
        const TreeEditResult result = importCommand(database, prompter, dialog);
        EXPECT_EQ(result.changed, row.text.empty() && !row.path.empty()) << row.path;
        EXPECT_EQ(prompter.texts(), row.text.empty() ? Strings {} : Strings { row.text });
        EXPECT_EQ(dialog.requests[0].title,
                  sj("ファイル名の入力：問題集／フォルダのファイルからの入力"));
        EXPECT_EQ(dialog.requests[0].filters.at(0).label, "Kvr Export File (*.kve;*.kvf)");
    }
}

} // namespace
} // namespace kvr
