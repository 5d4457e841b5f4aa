// What the choice dialog offers and accepts.
#include "editor/choicedialog.h"

#include "platform/cp932.h"

namespace kvr {

namespace {

ChoiceDialogRequest requestOf(const CFolder &root, ChoiceKind kind)
{
    ChoiceDialogRequest request;
    request.kind = kind;
    const char *what = kind == ChoiceKind::Collection ? "問題集"
        : kind == ChoiceKind::Folder                  ? "フォルダ"
                                                      : "フォルダ 及び 問題集";
    request.caption = cp932::text(what) + cp932::text("を選択してください。");
    request.rootBoxText = cp932::text("ルートに作成する");
    request.tree = buildDatabaseTree(root);
    return request;
}

bool atOrBelow(std::string_view path, std::string_view folder)
{
    return !folder.empty() && path.starts_with(folder)
        && (path.size() == folder.size() || path[folder.size()] == '/');
}

} // namespace

ChoiceDialogRequest collectionChoice(const CFolder &root)
{
    return requestOf(root, ChoiceKind::Collection);
}

ChoiceDialogRequest destinationChoice(const CFolder &root, std::string_view sourcePath,
                                      EntryKind sourceKind)
{
    ChoiceDialogRequest request = requestOf(root, ChoiceKind::Folder);
    request.rootBoxShown = true;
    if (sourceKind == EntryKind::Folder)
        request.excludedFolder = std::string(sourcePath);
    return request;
}

bool choiceAccepts(const ChoiceDialogRequest &request, std::string_view path, EntryKind kind)
{
    if (path.empty())
        return false;
    switch (request.kind) {
    case ChoiceKind::Collection:
        return kind == EntryKind::Section;
    case ChoiceKind::Folder:
        return kind == EntryKind::Folder && !atOrBelow(path, request.excludedFolder);
    case ChoiceKind::FolderOrCollection:
        return true;
    }
    return false;
}

bool choiceOkEnabled(const ChoiceDialogRequest &request,
                     const std::optional<ChoiceAnswer> &selected, bool rootTicked)
{
    if (request.rootBoxShown && rootTicked)
        return true;
    return selected && choiceAccepts(request, selected->path, selected->kind);
}

std::optional<ChoiceAnswer> acceptedChoice(const ChoiceDialogRequest &request,
                                           const std::optional<ChoiceAnswer> &answer)
{
    if (!answer)
        return std::nullopt;
    if (answer->root)
        return request.rootBoxShown ? answer : std::nullopt;
    if (!choiceAccepts(request, answer->path, answer->kind))
        return std::nullopt;
    return answer;
}

} // namespace kvr
