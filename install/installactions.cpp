#include "install/installactions.h"

#include "platform/cp932.h"
#include "platform/prompter.h"

namespace kvr::install {

namespace {

constexpr std::string_view kDatabaseQuestion =
    "問題集データベース(DB)を削除しますか？\n\n・Kvr "
    "をこのコンピュータから完全に削除する場合は、「はい」を選んでください。\n\n・バージョンアップを"
    "行う場合は、新しく追加された問題集を有効にするために、次の手順に従ってください。\n [1] "
    "自作問題集を作成していない場合は、「はい」を押してください。\n [2] "
    "自作問題集を作成している場合は、次の手順でバージョンアップを行ってください。\n     (1) "
    "自作問題集をエクスポートします。まだエクスポートしていない場合は、(1.1)～(1.3)"
    "を行ってください。\n     (1.1) まず「キャンセル」を押します。\n     (1.2) KvrEditor "
    "を起動してエクスポートします。\n     (1.3) その後、再度この画面を呼び出してください。\n     "
    "(2) 「はい」を選択してアンインストールを行います。\n     (3) "
    "新しいバージョンをインストールします。\n\n・新しく追加された問題集が必要ない場合は、「いいえ」"
    "を選んでください。\n\n・「キャンセル」を押すとアンインストールを中止します。";
constexpr std::string_view kLogQuestion =
    "履歴ファイルを削除しますか？\n\n・Kvr "
    "をこのコンピュータから完全に削除する場合は、「はい」を選んでください。\n・バージョンアップを行"
    "う場合は、「いいえ」を選んでください。\n・アンインストールを中止する場合は、「キャンセル」を選"
    "んでください。";

Message box(std::string text, std::string caption, Buttons buttons)
{
    Message message;
    message.text = std::move(text);
    message.caption = std::move(caption);
    message.buttons = buttons;
    if (buttons != Buttons::Ok)
        message.defaultButton = Reply::No;
    return message;
}

// The folder prefix; a failed read is told and the action goes on with what was read.
std::string readFolder(ActionServices &services)
{
    std::string folder;
    if (!services.session.readProperty(kFolderProperty, folder))
        services.prompter.ask(box("cannot get property...", "", Buttons::Ok));
    if (folder.size() >= kPropertyBufferSize)
        folder.resize(kPropertyBufferSize - 1);
    return folder;
}

void confirmAndDelete(ActionServices &services, std::string_view prefix, std::string_view suffix,
                      const std::string &path)
{
    const std::string text = cp932::text(prefix) + path + cp932::text(suffix);
    if (services.prompter.ask(box(text, "delete ok?", Buttons::YesNo)) != Reply::Yes)
        return;
    const bool deleted = services.shell.deleteFile(path);
    services.prompter.ask(
        box(cp932::text(deleted ? "削除しました。" : "失敗しました。"), "", Buttons::Ok));
}

unsigned stopRemoval(ActionServices &services)
{
    services.session.sendError(cp932::text("Kvr のアンインストールを中止します。"));
    return kActionUserExit;
}

} // namespace

unsigned commitAction(ActionServices services)
{
    const std::string folder = readFolder(services);
    const std::string readme = folder + std::string(kReadmeFile);
    if (!services.shell.openDocument(readme))
        services.prompter.ask(box(cp932::text("起動失敗(r)"), readme, Buttons::Ok));
    const std::string program = folder + std::string(kProgramFile);
    if (!services.shell.startProgram(program, folder))
        services.prompter.ask(box(cp932::text("起動失敗(p)"), program, Buttons::Ok));
    return kActionSuccess;
}

unsigned uninstallAction(ActionServices services)
{
    const std::string folder = readFolder(services);
    const Reply database = services.prompter.ask(
        box(cp932::text(kDatabaseQuestion), "delete DB?", Buttons::YesNoCancel));
    if (database == Reply::Cancel)
        return stopRemoval(services);
    if (database == Reply::Yes)
        confirmAndDelete(services, "問題集DBファイル ", " を削除します。よろしいですか？",
                         folder + std::string(kDatabaseFile));

    const Reply log =
        services.prompter.ask(box(cp932::text(kLogQuestion), "delete log?", Buttons::YesNoCancel));
    if (log == Reply::Cancel)
        return stopRemoval(services);
    if (log == Reply::Yes)
        confirmAndDelete(services, "履歴ファイル ", " を削除します。よろしいですか？",
                         folder + std::string(kLogFile));
    return kActionSuccess;
}

int hostExitStatus(unsigned actionResult)
{
    return actionResult == kActionSuccess ? 0 : actionResult == kActionUserExit ? 3 : 1;
}

} // namespace kvr::install
