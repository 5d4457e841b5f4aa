// The main window's commands: saving, the folder and collection commands, insert from
// another collection, the WAV file and the options.
#include "db/treeops.h"
#include "editor/editorsession.h"
#include "editor/editorsettings.h"
#include "editor/editorstartup.h"
#include "editor/exportcommands.h"
#include "editor/textrules.h"
#include "editor/wavchoice.h"
#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr const char *kUpdateFailed = "データベースの更新に失敗しました・・・";

} // namespace

CommandEffect CEditorSession::run(EditorCommand command)
{
    using C = EditorCommand;
    RowCommandContext rows = rowContext();
    CommandEffect effect = CommandEffect::None;
    switch (command) {
    case C::ReloadTree:
        rebuildTree();
        selectPath(m_services.settings.LastSection);
        break;
    case C::Save:
        saveCommand();
        break;
    case C::Export:
        exportCommand();
        break;
    case C::Import:
        importCommand();
        break;
    case C::ImportCsv:
        importCsvCommand();
        break;
    case C::RestoreBackup:
        restoreBackupCommand();
        break;
    case C::Exit:
        effect = requestClose() ? CommandEffect::Close : CommandEffect::None;
        break;
    case C::Cut:
        cutRowCommand(rows);
        break;
    case C::Copy:
        copyRowCommand(rows);
        break;
    case C::Paste:
        pasteRowCommand(rows);
        break;
    case C::DeleteRow:
        deleteRowCommand(rows);
        break;
    case C::InsertRow:
        insertRowCommand(rows);
        break;
    case C::InsertFromCollection:
        insertFromCollection();
        break;
    case C::NewCollection:
    case C::NewFolder:
        createCommand(command == C::NewFolder ? EntryKind::Folder : EntryKind::Section);
        break;
    case C::Rename:
        renameCommand();
        break;
    case C::CopyNode:
    case C::MoveNode:
        transferCommand(command == C::CopyNode ? TransferMode::Copy : TransferMode::Move);
        break;
    case C::DeleteNode:
        deleteCommand();
        break;
    case C::Options:
        optionsCommand();
        break;
    case C::Help:
        effect = CommandEffect::ShowHelp;
        break;
    case C::UpgradeHint:
        m_services.prompter.ask(editorUsageMessage());
        break;
    case C::HomePage:
        effect = CommandEffect::OpenHomePage;
        break;
    case C::About:
        effect = CommandEffect::ShowAbout;
        break;
    case C::Details:
        detailsCommand();
        break;
    case C::ChooseWav:
        chooseWav();
        break;
    case C::NextRow:
        m_edit.grid().selectNext();
        break;
    }
    refreshView();
    return effect;
}

void CEditorSession::saveCommand()
{
    if (m_edit.saveCollection(false) == SaveResult::Failed)
        m_services.prompter.tell(cp932::text(kUpdateFailed));
}

TreeEditContext CEditorSession::treeContext()
{
    return TreeEditContext { m_services.database, m_edit.databasePath(),
                             m_services.settings.LogPath, m_services.prompter, &m_backup };
}

std::optional<NodeRef> CEditorSession::selectedNode() const
{
    const std::optional<SelectedItem> &open = m_edit.selected();
    if (!open)
        return std::nullopt;
    return NodeRef { open->path, open->kind };
}

// The tree is refilled after a change and the new node selected (through the selection
// change, which asks about unsaved edits of the item open before).
void CEditorSession::afterTreeChange(const TreeEditResult &result)
{
    if (!result.changed)
        return;
    rebuildTree();
    if (result.select)
        selectPath(result.select->path);
}

void CEditorSession::createCommand(EntryKind kind)
{
    const std::optional<NodeRef> node = selectedNode();
    std::optional<std::string> folder;
    if (node && node->kind == EntryKind::Folder)
        folder = node->path;
    TreeEditContext context = treeContext();
    afterTreeChange(
        createNode(context, kind, folder, m_services.settings.DefaultUser, m_services.dialogs));
}

void CEditorSession::renameCommand()
{
    const std::optional<NodeRef> node = selectedNode();
    if (!node)
        return;
    TreeEditContext context = treeContext();
    const auto commit = [this] { return m_edit.saveCollection(false) != SaveResult::Failed; };
    const TreeEditResult result = renameNode(context, *node, commit, m_services.dialogs);
    if (result.changed && result.select)
        m_edit.follow(node->path, result.select->path, node->kind);
    afterTreeChange(result);
}

void CEditorSession::detailsCommand()
{
    const std::optional<SelectedItem> &open = m_edit.selected();
    if (!open)
        return;
    if (const auto header =
            askDetails(m_services.prompter, open->displayName, m_edit.header(), m_services.dialogs))
        m_edit.setHeader(*header);
}

void CEditorSession::transferCommand(TransferMode mode)
{
    const std::optional<NodeRef> node = selectedNode();
    if (!node)
        return;
    const ChoiceDialogRequest request =
        destinationChoice(m_services.database.root, node->path, node->kind);
    const std::optional<ChoiceAnswer> target =
        acceptedChoice(request, m_services.dialogs.askChoice(request));
    if (!target)
        return;
    TreeEditContext context = treeContext();
    const TreeEditResult result =
        transferNode(context, *node, target->root ? std::string() : target->path, mode);
    // A moved item keeps its working copy under its new path.
    if (mode == TransferMode::Move && result.changed && result.select
        && !hasNode(m_services.database.root, node->path, node->kind))
        m_edit.follow(node->path, result.select->path, node->kind);
    afterTreeChange(result);
}

void CEditorSession::deleteCommand()
{
    const std::optional<NodeRef> node = selectedNode();
    if (!node)
        return;
    TreeEditContext context = treeContext();
    const TreeEditResult result = deleteNode(context, *node);
    if (!result.changed)
        return;
    // The working copy of a deleted item has nowhere to go.
    if (!m_edit.selectedExists())
        m_edit.close();
    rebuildTree();
    selectPath(std::string(parentPathOf(node->path)));
}

void CEditorSession::exportCommand()
{
    if (const std::optional<NodeRef> node = selectedNode()) {
        kvr::exportCommand(m_services.database, m_services.prompter, *node, m_services.fileDialogs);
    }
}

void CEditorSession::importCommand()
{
    const TreeEditResult result =
        kvr::importCommand(m_services.database, m_services.prompter, m_services.fileDialogs);
    if (!result.changed)
        return;
    rebuildTree();
    m_edit.setModified();
}

void CEditorSession::importCsvCommand()
{
    const std::optional<NodeRef> node = selectedNode();
    std::optional<std::string> folder;
    if (node && node->kind == EntryKind::Folder)
        folder = node->path;
    const TreeEditResult result =
        csvImportCommand(m_services.database, m_services.prompter, m_services.fileDialogs,
                         m_services.dialogs, folder, m_services.settings.DefaultUser);
    if (!result.changed)
        return;
    afterTreeChange(result);
    m_edit.setModified();
}

void CEditorSession::insertFromCollection()
{
    const std::optional<NodeRef> node = selectedNode();
    if (!node)
        return;
    if (node->kind == EntryKind::Folder) {
        m_services.prompter.tell(cp932::text("フォルダにはできません"));
        return;
    }
    const ChoiceDialogRequest request = collectionChoice(m_services.database.root);
    const std::optional<ChoiceAnswer> chosen =
        acceptedChoice(request, m_services.dialogs.askChoice(request));
    if (!chosen || !hasSection(m_services.database.root, chosen->path))
        return;
    CQuestionGrid &grid = m_edit.grid();
    CQuestion marker;
    marker.answers[0] = "# imported from - " + chosen->path + " -";
    grid.appendRow(marker);
    for (const std::string &line : findSection(m_services.database.root, chosen->path).lines)
        grid.appendRow(decodeEditorLine(line));
    grid.appendRow(CQuestion());
    m_edit.setModified();
    ++m_view.gridRevision;
}

void CEditorSession::chooseWav()
{
    CQuestionGrid &grid = m_edit.grid();
    const std::optional<std::size_t> row = grid.currentRow();
    if (!m_edit.collectionOpen() || !row)
        return;
    const std::optional<std::string> chosen = m_services.fileDialogs.askPath(
        wavDialogRequest(grid.rows()[*row], m_services.settings.Wavefiledir));
    if (!chosen)
        return;
    CQuestion question = grid.rows()[*row];
    question.wavFile = fileNameOf(*chosen);
    grid.setRow(*row, std::move(question));
    m_edit.setModified();
}

void CEditorSession::optionsCommand()
{
    const SaveResult saved = m_edit.saveCollection(true);
    if (saved == SaveResult::Cancelled)
        return;
    if (saved == SaveResult::Failed) {
        m_services.prompter.tell(cp932::text(kUpdateFailed));
        return;
    }
    EditorOptionsView view = editorOptionsView(m_services.settings);
    std::optional<EditorOptionsForm> form;
    for (;;) {
        form = m_services.dialogs.askOptions(view);
        if (!form)
            return;
        const std::optional<std::string> refusal = optionsRefusal(*form);
        if (!refusal)
            break;
        m_services.prompter.tell(*refusal);
        if (!form->unmappable)
            view.form = *form;
    }
    applyOptions(m_services.settings, m_services.store, *form);
    // The database is read again from the file now set; when that fails the one in memory
    // stays, and so does the file it is written to.
    const DatabaseLoad loaded =
        loadEditorDatabase(m_services.settings, m_services.store, m_services.database,
                           m_services.prompter, m_services.fileDialogs);
    if (loaded != DatabaseLoad::Loaded)
        return;
    m_edit.close();
    m_edit.setDatabasePath(m_services.settings.DatabaseFilename);
    rebuildTree();
    selectPath(m_services.settings.LastSection);
}

} // namespace kvr
