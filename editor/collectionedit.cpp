// The working copy of the selected folder or collection and its saving.
#include "editor/collectionedit.h"

#include "db/treeops.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/error.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

CCollectionEdit::CCollectionEdit(CQuestionDatabase &database, std::string databasePath,
                                 IPrompter &prompter)
    : m_database(database)
    , m_databasePath(std::move(databasePath))
    , m_prompter(prompter)
{
    databaseRead();
}

void CCollectionEdit::setDatabasePath(std::string path)
{
    m_databasePath = std::move(path);
    databaseRead();
}

bool CCollectionEdit::databaseChangedOnDisk() const
{
    return fileExists(m_databasePath) && m_version.changedSince(m_databasePath);
}

Message databaseChangedQuestion(const std::string &databasePath)
{
    Message message;
    message.text =
        formatText(cp932::text("データベースファイル %s は、読み込んだ後にほかのプログラム"
                               "で変更されています。\n上書きすると、その変更は失われます"
                               "。上書きしますか？"),
                   databasePath.c_str());
    message.caption = cp932::text("保存の確認");
    message.buttons = Buttons::YesNo;
    message.icon = Icon::Warning;
    return message;
}

void CCollectionEdit::open(const SelectedItem &item)
{
    m_selected = item;
    m_modified = false;
    m_header = CInnerHeader();
    m_grid.clear();
    const CFolder &root = m_database.root;
    if (item.kind == EntryKind::Folder) {
        if (hasFolder(root, item.path))
            m_header = findFolder(root, item.path).header;
        else
            m_prompter.tell(cp932::text("フォルダの情報が取得できませんでした。"));
        return;
    }
    if (!hasSection(root, item.path)) {
        m_prompter.tell(cp932::text("問題集の情報が取得できませんでした。"));
        return;
    }
    const CSection &section = findSection(root, item.path);
    m_header = section.header;
    m_grid.load(section.lines.toStrings());
}

void CCollectionEdit::close()
{
    m_selected.reset();
    m_modified = false;
    m_header = CInnerHeader();
    m_grid.clear();
}

bool CCollectionEdit::collectionOpen() const
{
    return m_selected && m_selected->kind == EntryKind::Section;
}

void CCollectionEdit::setHeader(CInnerHeader header)
{
    m_header = std::move(header);
    m_modified = true;
}

std::string CCollectionEdit::title() const
{
    if (!m_selected)
        return "KvrEditor";
    return formatText(cp932::text(m_modified ? "%s - （更新）KvrEditor " : "%s - KvrEditor "),
                      m_selected->displayName.c_str());
}

SaveResult CCollectionEdit::saveCollection(bool ask)
{
    if (!m_modified || !m_selected)
        return SaveResult::NothingToSave;
    if (ask) {
        Message message;
        message.text = formatText(cp932::text("開いていた問題集（%s）のデータが変更されています。\n"
                                              "保存しますか？"),
                                  m_selected->path.c_str());
        message.caption = cp932::text("保存の確認");
        message.buttons = Buttons::YesNoCancel;
        const Reply reply = m_prompter.ask(message);
        if (reply == Reply::Cancel)
            return SaveResult::Cancelled;
        if (reply == Reply::No) {
            m_modified = false;
            return SaveResult::Discarded;
        }
    }
    if (!storeWorkingCopy())
        return SaveResult::Failed;
    switch (writeDatabaseFile()) {
    case Write::Failed:
        return SaveResult::Failed;
    case Write::Declined:
        return SaveResult::Cancelled;
    case Write::Written:
        break;
    }
    m_modified = false;
    return SaveResult::Saved;
}

bool CCollectionEdit::storeWorkingCopy()
{
    CFolder &root = m_database.root;
    try {
        if (m_selected->kind == EntryKind::Folder) {
            findFolder(root, m_selected->path).header = m_header;
        } else {
            CSection &section = findSection(root, m_selected->path);
            section.header = m_header;
            section.lines = m_grid.lines();
        }
    } catch (const KvrError &) {
        return false;
    }
    return true;
}

CCollectionEdit::Write CCollectionEdit::writeDatabaseFile()
{
    // Asked before the lock is taken: the study program must not wait on an open box.
    if (databaseChangedOnDisk()) {
        if (m_prompter.ask(databaseChangedQuestion(m_databasePath)) != Reply::Yes)
            return Write::Declined;
    }
    if (dailyBackup)
        dailyBackup->beforeSave(m_databasePath);
    const CSharedFileLock lock(m_databasePath);
    if (!writeDatabase(m_database, m_databasePath))
        return Write::Failed;
    databaseRead();
    return Write::Written;
}

void CCollectionEdit::follow(const std::string &oldPath, const std::string &newPath, EntryKind kind)
{
    if (!m_selected)
        return;
    std::string &path = m_selected->path;
    if (path == oldPath && m_selected->kind == kind) {
        path = newPath;
        m_selected->displayName = std::string(lastNameOf(newPath));
    } else if (kind == EntryKind::Folder && path.size() > oldPath.size()
               && path.starts_with(oldPath) && path[oldPath.size()] == '/') {
        path = newPath + path.substr(oldPath.size());
    }
}

bool CCollectionEdit::selectedExists() const
{
    return m_selected && hasNode(m_database.root, m_selected->path, m_selected->kind);
}

} // namespace kvr
