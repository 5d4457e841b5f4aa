// The export and import commands around the export files.
#include "editor/exportcommands.h"

#include "db/exportfile.h"
#include "db/treeops.h"
#include "editor/editorsupport.h"
#include "editor/textrules.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/error.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr const char *kDialogTitle = "ファイル名の入力：%s";
constexpr const char *kAnnounceExport = "現在選択中の%s %s をファイルに書き出します。\n"
                                        "次のダイアログで出力ファイル名を入力してください。";
constexpr const char *kExported = "%s %s を ファイル %s に出力しました。";
constexpr const char *kBadExtension = "拡張子が不正です";
constexpr const char *kFileMissing = "%sファイル %s が見つかりませんでした。";
constexpr const char *kImportFailed = "インポートに失敗しました。";

// The desktop folder when it exists (a fresh account often has none), else the home folder.
std::string exchangeFolder()
{
    const std::string desktop = env::desktopFolder();
    return isDirectory(desktop) ? desktop : env::homeFolder();
}

std::string dialogTitle(const char *purpose)
{
    return formatText(cp932::text(kDialogTitle), cp932::text(purpose).c_str());
}

} // namespace

FileRequest exportDialogRequest(const NodeRef &node)
{
    const bool folder = node.kind == EntryKind::Folder;
    FileRequest request;
    request.title = dialogTitle(folder ? "フォルダのファイル出力" : "問題集のファイル出力");
    request.filters = { folder ? FileFilter { "Kvr FolderFile (*.kvf)", "*.kvf" }
                               : FileFilter { "Kvr SectionFile (*.kve)", "*.kve" } };
    request.proposedName = proposedExportFileName(lastNameOf(node.path));
    request.startFolder = exchangeFolder();
    request.defaultExtension = std::string(exportExtension(node.kind));
    request.mode = FileDialogMode::Save;
    return request;
}

FileRequest importDialogRequest()
{
    FileRequest request;
    request.title = dialogTitle("問題集／フォルダのファイルからの入力");
    request.filters = { { "Kvr Export File (*.kve;*.kvf)", "*.kve;*.kvf" } };
    request.startFolder = exchangeFolder();
    return request;
}

bool exportCommand(const CQuestionDatabase &database, IPrompter &prompter, const NodeRef &node,
                   IFileDialogs &fileDialogs)
{
    const std::string kind = editor::kindWord(node.kind);
    prompter.tell(formatText(cp932::text(kAnnounceExport), kind.c_str(), node.path.c_str()));
    const std::optional<std::string> chosen = fileDialogs.askPath(exportDialogRequest(node));
    if (!chosen)
        return false;
    const std::string &filePath = *chosen;
    try {
        exportNode(database, node.path, filePath, node.kind);
    } catch (const KvrError &error) {
        prompter.tell(error.what());
        return false;
    }
    const std::string name(lastNameOf(node.path));
    prompter.tell(formatText(cp932::text(kExported), kind.c_str(), name.c_str(), filePath.c_str()));
    return true;
}

TreeEditResult importCommand(CQuestionDatabase &database, IPrompter &prompter,
                             IFileDialogs &fileDialogs)
{
    const std::optional<std::string> chosen = fileDialogs.askPath(importDialogRequest());
    if (!chosen)
        return {};
    const std::string &filePath = *chosen;
    const std::optional<EntryKind> kind = importKindOf(filePath);
    if (!kind) {
        prompter.tell(cp932::text(kBadExtension));
        return {};
    }
    if (!fileExists(filePath)) {
        prompter.tell(formatText(cp932::text(kFileMissing), editor::kindWord(*kind).c_str(),
                                 filePath.c_str()));
        return {};
    }
    if (!importNode(database, filePath, *kind)) {
        prompter.tell(cp932::text(kImportFailed));
        return {};
    }
    return { true, std::nullopt };
}

} // namespace kvr
