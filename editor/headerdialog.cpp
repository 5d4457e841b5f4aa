// The header dialog's uses and the checks of what it returns.
#include "editor/headerdialog.h"

#include "editor/textrules.h"
#include "platform/cp932.h"

namespace kvr {

namespace {

struct UseRow
{
    HeaderDialogUse use;
    const char *caption;
    const char *nameLabel;
    bool nameEditable;
    bool headerEditable;
    bool placeShown;
};

constexpr UseRow kUses[] = {
    { HeaderDialogUse::NewCollection, "問題集の新規作成", "問題集名", true, true, true },
    { HeaderDialogUse::NewFolder, "フォルダの新規作成", "フォルダ名", true, true, true },
    { HeaderDialogUse::Details, "問題集の詳細情報", "名称", false, true, false },
    { HeaderDialogUse::RenameCollection, "問題集の名称変更", "問題集名", true, false, false },
    { HeaderDialogUse::RenameFolder, "フォルダの名称変更", "フォルダ名", true, false, false },
};

const UseRow &rowOf(HeaderDialogUse use)
{
    for (const UseRow &row : kUses) {
        if (row.use == use)
            return row;
    }
    return kUses[2];
}

} // namespace

HeaderDialogView headerDialogView(HeaderDialogUse use, HeaderForm form, bool placeUnderEnabled)
{
    const UseRow &row = rowOf(use);
    HeaderDialogView view;
    view.use = use;
    view.caption = cp932::text(row.caption);
    view.nameLabel = cp932::text(row.nameLabel);
    view.nameEditable = row.nameEditable;
    view.headerEditable = row.headerEditable;
    view.placeShown = row.placeShown;
    view.placeUnderEnabled = row.placeShown && placeUnderEnabled;
    if (!view.placeUnderEnabled)
        form.underSelectedFolder = false;
    form.unmappable = false;
    view.form = std::move(form);
    return view;
}

CInnerHeader headerOf(const HeaderForm &form)
{
    CInnerHeader header;
    header.headerFields = { form.copyrightHolder, form.inputter, form.startMessage };
    header.setNotesText(withCrLf(form.notes));
    return header;
}

HeaderForm formOf(const std::string &name, const CInnerHeader &header)
{
    HeaderForm form;
    form.name = name;
    form.copyrightHolder = header.field(CInnerHeader::CopyrightHolder);
    form.inputter = header.field(CInnerHeader::Inputter);
    form.startMessage = header.field(CInnerHeader::StartMessage);
    form.notes = header.notesText();
    return form;
}

std::optional<std::string> headerFormRefusal(HeaderDialogUse use, const HeaderForm &form)
{
    if (form.unmappable)
        return unmappableTextMessage();
    const UseRow &row = rowOf(use);
    if (row.nameEditable) {
        if (form.name.empty())
            return cp932::text("問題集名が空白です。入力してください。");
        if (auto refusal = storedTextRefusal(form.name, StoredTextKind::Name))
            return refusal;
    }
    if (row.headerEditable) {
        for (const std::string *field :
             { &form.copyrightHolder, &form.inputter, &form.startMessage }) {
            if (auto refusal = storedTextRefusal(*field, StoredTextKind::HeaderField))
                return refusal;
        }
    }
    return std::nullopt;
}

} // namespace kvr
