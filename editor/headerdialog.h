#pragma once

#include <optional>
#include <string>

#include "db/questiondatabase.h"

// The header dialog ("問題集の詳細情報" in its resource) and its five uses: creating a
// collection or folder, showing and editing an item's header, renaming.
namespace kvr {

enum class HeaderDialogUse { NewCollection, NewFolder, Details, RenameCollection, RenameFolder };

// The dialog's fields (CP932). notes is one text, lines joined with CR LF.
struct HeaderForm
{
    std::string name; // "名称" / "問題集名" / "フォルダ名"
    std::string copyrightHolder; // "著作権者名"
    std::string inputter; // "データ入力者名"
    std::string startMessage; // "開始メッセージ"
    std::string notes; // "備考"
    bool underSelectedFolder = false; // "現在のフォルダの下", else "ルート（一番上）"
    // Set by the window when some field holds a character CP932 cannot hold.
    bool unmappable = false;

    bool operator==(const HeaderForm &) const = default;
};

// What the dialog shows for one use.
struct HeaderDialogView
{
    HeaderDialogUse use = HeaderDialogUse::Details;
    std::string caption; // "問題集の新規作成", …
    std::string nameLabel; // "問題集名", "フォルダ名" or "名称"
    bool nameEditable = false;
    bool headerEditable = false; // the four header fields
    bool placeShown = false; // the group "新しい問題集を作る場所" with its two radios
    bool placeUnderEnabled = false; // "現在のフォルダの下": only when a folder is selected
    HeaderForm form; // the values shown; the radio checked by form.underSelectedFolder
};

HeaderDialogView headerDialogView(HeaderDialogUse use, HeaderForm form,
                                  bool placeUnderEnabled = false);

// The header dialog (create, details, rename).
class IHeaderDialog
{
public:
    virtual ~IHeaderDialog() = default;
    // Shows the dialog; the entered fields, or nothing on cancel.
    virtual std::optional<HeaderForm> askHeader(const HeaderDialogView &view) = 0;
};

// The header fields of a form as a header, and back.
CInnerHeader headerOf(const HeaderForm &form);
HeaderForm formOf(const std::string &name, const CInnerHeader &header);

// The message refusing what was entered for the use, or nothing when it can be stored:
// text CP932 cannot hold, an empty name ("問題集名が空白です。入力してください。", for
// folders too), a name with a line end, and header fields the database file would misread.
// Only the fields the use lets the user edit are checked.
std::optional<std::string> headerFormRefusal(HeaderDialogUse use, const HeaderForm &form);

} // namespace kvr
