// The editor's start-up sequence.
#include "editor/editorstartup.h"

#include "app/editorlaunch.h"
#include "db/questiondatabase.h"
#include "editor/editorsettings.h"
#include "editor/textrules.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/namedmutex.h"
#include "platform/settingsstore.h"
#include "platform/textfile.h"

namespace kvr {

// The study program looks for this marker before it writes over the editor's database.
static_assert(kEditorInstanceName == kEditorInstanceMarker);

namespace {

void showError(IPrompter &prompter, std::string text)
{
    Message message;
    message.text = std::move(text);
    message.caption = "Error";
    prompter.ask(message);
}

FileRequest databaseDialogRequest(const std::string &oldPath)
{
    FileRequest request;
    request.title = cp932::text("データベースファイル DBv3.kvr を指定してください。");
    request.startFolder = env::parentFolder(oldPath);
    request.proposedName =
        oldPath.substr(request.startFolder.size() + (request.startFolder.empty() ? 0 : 1));
    request.defaultExtension = "kvr";
    return request;
}

// The chosen file; the empty text on cancel.
std::string askDatabaseFile(IFileDialogs &fileDialogs, const std::string &old)
{
    return fileDialogs.askPath(databaseDialogRequest(old)).value_or(std::string());
}

} // namespace

Message editorUsageMessage()
{
    Message message;
    message.caption = cp932::text("KvrEditorの使い方");
    message.text = cp932::text(
        "KvrEditor は Kelvora 用の問題集を編集するプログラムです。\n\n"
        "自分で問題集を作る場合は「<< 自作問題集 >>」というフォルダの下に、問題集を作ると便利"
        "です。\n\n"
        "その理由は、バージョンアップ時に一度アンインストールする必要がありますが、\n"
        "その際にあなたが作成した問題集が削除されるためです。\n"
        "あなたが作成した問題集が削除されることを防ぐために、アンインストールの前に\n"
        "<< 自作問題集 >> フォルダをエクスポートしましょう。\n"
        "そして、バージョンアップ後に自作問題集をインポートしてください。");
    return message;
}

DatabaseLoad loadEditorDatabase(CEditorSettings &settings, ISettingsStore &store,
                                CQuestionDatabase &database, IPrompter &prompter,
                                IFileDialogs &fileDialogs)
{
    if (!fileExists(settings.DatabaseFilename)) {
        showError(prompter,
                  cp932::text("データベースファイルが見つかりませんでした。"
                              "次のダイアログで指定してください。"));
        const std::string chosen = askDatabaseFile(fileDialogs, settings.DatabaseFilename);
        if (chosen.empty())
            return DatabaseLoad::Cancelled;
        settings.DatabaseFilename = chosen;
        settings.saveAll(store);
    }
    CQuestionDatabase fresh;
    if (!readDatabase(fresh, settings.DatabaseFilename)) {
        showError(prompter,
                  cp932::text("データベースファイル ") + settings.DatabaseFilename
                      + cp932::text(" が開けませんでした。"));
        return DatabaseLoad::Unreadable;
    }
    database = std::move(fresh);
    return DatabaseLoad::Loaded;
}

EditorStart startEditor(EditorStartContext &context)
{
    if (!context.instance.acquire(context.instanceName))
        return EditorStart::AlreadyRunning;
    const auto fail = [&](EditorStart result) {
        context.instance.close();
        return result;
    };
    CEditorSettings &settings = context.settings;
    settings.load(context.store, context.userName);
    if (settings.DatabaseFilename.empty()) {
        context.prompter.ask(errorBox(cp932::text("レジストリの読み込みに失敗しました")));
        return fail(EditorStart::NoDatabaseSetting);
    }
    if (settings.firstRun)
        context.prompter.ask(editorUsageMessage());
    switch (loadEditorDatabase(settings, context.store, context.database, context.prompter,
                               context.fileDialogs)) {
    case DatabaseLoad::Cancelled:
        return fail(EditorStart::DatabaseNotChosen);
    case DatabaseLoad::Unreadable:
        return fail(EditorStart::DatabaseUnreadable);
    case DatabaseLoad::Loaded:
        break;
    }
    readWebDictionaries(context.webDictionaries, settings.WebdiciniPath);
    return EditorStart::Ready;
}

void finishEditor(EditorStartContext &context)
{
    context.settings.saveOwn(context.store);
    context.instance.close();
}

} // namespace kvr
