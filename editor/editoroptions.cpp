// The options dialog's rules.
#include "editor/editoroptions.h"

#include "editor/editorsettings.h"
#include "editor/textrules.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kvr {

EditorOptionsView editorOptionsView(const CEditorSettings &settings)
{
    EditorOptionsView view;
    view.caption = cp932::text("オプション設定");
    view.userGroup = cp932::text("ユーザ名（問題集／フォルダ作成時のデフォルト著作権者）");
    view.databaseGroup = cp932::text("データベースファイル");
    view.browseText = cp932::text("参照");
    view.cancelText = cp932::text("ｷｬﾝｾﾙ");
    view.defaultsText = cp932::text("ﾃﾞﾌｫﾙﾄに戻す");
    view.form.defaultUser = settings.DefaultUser;
    view.form.databasePath = settings.DatabaseFilename;
    return view;
}

std::optional<std::string> browseDatabaseFile(IPrompter &prompter, IFileDialogs &fileDialogs,
                                              const std::string &currentPath)
{
    Message caution;
    caution.text = cp932::text(
        "誤ったデータベースファイルを指定すると、最悪の場合、Kvrが起動しなくなります。\n"
        "つまり、このオプションを変更するにはリスクが伴います。\n\n"
        "それでも、データベースファイル名を変更しますか？");
    caution.caption = "CAUTION!";
    caution.buttons = Buttons::YesNo;
    caution.icon = Icon::Warning;
    if (prompter.ask(caution) != Reply::Yes)
        return std::nullopt;
    FileRequest request;
    request.title = "Kvr DatabaseFile Select";
    request.filters = { { "Kvr DatabaseFile (*.kvr)", "*.kvr" } };
    request.startFolder = env::parentFolder(currentPath);
    request.proposedName =
        currentPath.substr(request.startFolder.size() + (request.startFolder.empty() ? 0 : 1));
    const std::optional<std::string> chosen = fileDialogs.askPath(request);
    if (!chosen)
        return std::nullopt;
    if (!fileExists(*chosen))
        prompter.tell(cp932::text("ない！"));
    return chosen;
}

std::optional<std::string> optionsRefusal(const EditorOptionsForm &form)
{
    if (form.unmappable)
        return unmappableTextMessage();
    return storedTextRefusal(form.defaultUser, StoredTextKind::HeaderField);
}

void applyOptions(CEditorSettings &settings, ISettingsStore &store, const EditorOptionsForm &form)
{
    settings.DefaultUser = form.defaultUser;
    settings.DatabaseFilename = form.databasePath;
    settings.saveAll(store);
}

} // namespace kvr
