// The editor's main window: selection, grid events, keys and the view record.
#include "editor/editorsession.h"

#include "db/treeops.h"
#include "editor/editorsettings.h"
#include "editor/textrules.h"
#include "platform/cp932.h"

namespace kvr {

CEditorSession::CEditorSession(EditorServices services)
    : m_services(std::move(services))
    , m_edit(m_services.database, m_services.settings.DatabaseFilename, m_services.prompter)
    , m_backup(m_services.clock, m_services.prompter)
{
    m_edit.dailyBackup = &m_backup;
    m_view.dictionaries = editorDictionaryLists(m_services.webDictionaries);
    m_view.divider = m_services.settings.Pediod;
    m_view.windowWidth = m_services.settings.WindowSizeX;
    m_view.windowHeight = m_services.settings.WindowSizeY;
    refreshView();
}

void CEditorSession::start()
{
    rebuildTree();
    selectPath(m_services.settings.LastSection);
}

void CEditorSession::rebuildTree()
{
    m_view.tree = buildDatabaseTree(m_services.database.root);
    ++m_view.treeRevision;
}

// The item at path (or the first item when there is none), through the selection change.
void CEditorSession::selectPath(const std::string &path)
{
    const TreeIndexPath chain = findNodeByPath(m_view.tree, path);
    if (chain.empty()) {
        m_edit.close();
        refreshView();
        return;
    }
    selectTreeItem(chain);
}

bool CEditorSession::selectTreeItem(const TreeIndexPath &chain)
{
    const TreeNode *node = nodeAt(m_view.tree, chain);
    if (!node)
        return false;
    const SelectedItem item { treePath(m_view.tree, chain), node->name,
                              node->isFolder ? EntryKind::Folder : EntryKind::Section };
    const bool opened = openItem(item);
    refreshView();
    return opened;
}

bool CEditorSession::openItem(const SelectedItem &item)
{
    const std::optional<SelectedItem> &open = m_edit.selected();
    if (open && open->path == item.path && open->kind == item.kind)
        return true;
    if (open) {
        const SaveResult result = m_edit.saveCollection(true);
        if (result == SaveResult::Cancelled)
            return false;
        if (result == SaveResult::Failed) {
            // Leaving would drop the working copy that could not be saved.
            m_services.prompter.tell(cp932::text("データベースの更新に失敗しました・・・"));
            return false;
        }
    }
    m_edit.open(item);
    ++m_view.gridRevision;
    return true;
}

void CEditorSession::selectRow(std::size_t row)
{
    m_edit.grid().selectRow(row);
    refreshView();
}

void CEditorSession::moveAnswerNumber(int delta)
{
    m_edit.grid().moveAnswerNumber(delta);
    refreshView();
}

void CEditorSession::editField(EditField field, const EnteredText &text)
{
    CQuestionGrid &grid = m_edit.grid();
    if (!m_edit.collectionOpen() || !grid.currentRow())
        return;
    if (!text) {
        m_services.prompter.tell(unmappableTextMessage());
        grid.refreshFields();
    } else {
        afterRowEdit(grid.editField(field, *text));
    }
    refreshView();
}

void CEditorSession::pressPartOfSpeech(PartOfSpeech part)
{
    if (!m_edit.collectionOpen())
        return;
    afterRowEdit(m_edit.grid().pressPartOfSpeech(part));
    refreshView();
}

void CEditorSession::afterRowEdit(const RowEdit &edit)
{
    if (!edit.changed)
        return;
    m_edit.setModified();
    if (edit.emptied) {
        RowCommandContext context = rowContext();
        removeEmptiedRow(context, *m_edit.grid().currentRow());
    }
}

void CEditorSession::sortByColumn(GridColumn column)
{
    RowCommandContext context = rowContext();
    sortRowsCommand(context, column, m_sortDirections);
    ++m_view.gridRevision;
    refreshView();
}

bool CEditorSession::lookUp(bool upperList, std::size_t entry)
{
    const std::vector<DictionaryEntry> &list =
        upperList ? m_view.dictionaries.upper : m_view.dictionaries.lower;
    if (!m_edit.collectionOpen() || entry >= list.size())
        return false;
    const std::optional<std::string> address = editorLookupUrl(
        m_services.webDictionaries, list[entry].site, m_edit.grid().fields().answer);
    if (!address)
        return false;
    m_view.webAddress = *address;
    ++m_view.webRevision;
    m_view.tab = 1;
    return true;
}

void CEditorSession::selectTab(int tab)
{
    m_view.tab = tab == 1 ? 1 : 0;
}

EditorKeyAction CEditorSession::key(const EditorKeyEvent &event)
{
    const EditorKeyAction action = editorKeyAction(event);
    CQuestionGrid &grid = m_edit.grid();
    switch (action.kind) {
    case KeyActionKind::Command:
        run(*action.command);
        break;
    case KeyActionKind::PartOfSpeech:
        pressPartOfSpeech(*action.part);
        break;
    case KeyActionKind::NextRow:
    case KeyActionKind::PreviousRow:
        action.kind == KeyActionKind::NextRow ? grid.selectNext() : grid.selectPrevious();
        break;
    case KeyActionKind::AnswerNumberDown:
    case KeyActionKind::AnswerNumberUp:
        grid.moveAnswerNumber(action.kind == KeyActionKind::AnswerNumberUp ? 1 : -1);
        break;
    default:
        break;
    }
    refreshView();
    return action;
}

bool CEditorSession::requestClose()
{
    const SaveResult result = m_edit.saveCollection(true);
    if (result == SaveResult::Failed)
        m_services.prompter.tell(cp932::text("データベースの更新に失敗しました・・・"));
    refreshView();
    return result != SaveResult::Cancelled && result != SaveResult::Failed;
}

bool CEditorSession::finish()
{
    const CCollectionEdit::Write write = m_edit.writeDatabaseFile();
    if (write == CCollectionEdit::Write::Written)
        return true;
    if (write == CCollectionEdit::Write::Declined)
        return true; // the user chose to leave the other program's file as it is
    m_services.prompter.tell(cp932::text("データベースの更新に失敗しました・・・"));
    return false;
}

void CEditorSession::setDivider(int x)
{
    m_services.settings.Pediod = limitDivider(x);
    m_view.divider = m_services.settings.Pediod;
}

void CEditorSession::setWindowSize(int width, int height)
{
    m_services.settings.WindowSizeX = width;
    m_services.settings.WindowSizeY = height;
    m_view.windowWidth = width;
    m_view.windowHeight = height;
}

RowCommandContext CEditorSession::rowContext()
{
    return RowCommandContext { m_edit,
                               m_services.prompter,
                               m_services.store,
                               m_services.settings.LogPath,
                               m_services.clipboard,
                               m_services.markerName };
}

void CEditorSession::refreshView()
{
    const std::optional<SelectedItem> &open = m_edit.selected();
    const CQuestionGrid &grid = m_edit.grid();
    m_view.title = m_edit.title();
    m_view.selectedChain = open ? findNodeByPath(m_view.tree, open->path) : TreeIndexPath();
    m_view.folderSelected = open && open->kind == EntryKind::Folder;
    m_view.selectedName = open ? open->displayName : std::string();
    m_view.selectedCaption =
        cp932::text(m_view.folderSelected ? "現在選択中のフォルダ" : "現在選択中の問題集");
    m_view.collectionControls = m_edit.collectionOpen();
    // Rows added or removed (the new empty row, a row command): the grid is refilled.
    if (grid.rowCount() != m_shownRowCount) {
        m_shownRowCount = grid.rowCount();
        ++m_view.gridRevision;
    }
    m_view.currentRow = grid.currentRow();
    m_view.answerNumber = grid.answerNumber();
    m_view.fields = grid.fields();
    m_view.fieldsRevision = grid.fieldsRevision();
    m_view.markedPart = grid.markedPart();
}

} // namespace kvr
