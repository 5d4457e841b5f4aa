#include "platform/ui/qtfiledialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// A missing file's folder may be missing too: open in the nearest one that exists.
QString nearestFolder(QString folder)
{
    while (!folder.isEmpty() && !QDir(folder).exists() && QFileInfo(folder).path() != folder)
        folder = QFileInfo(folder).path();
    return folder;
}

void prepare(QFileDialog &dialog, const FileRequest &request)
{
    dialog.setObjectName(QStringLiteral("fileDialog"));
    switch (request.mode) {
    case FileDialogMode::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        break;
    case FileDialogMode::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case FileDialogMode::Folder:
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
        break;
    }
    if (!request.filters.empty())
        dialog.setNameFilters(CQtFileDialogs::nameFilters(request.filters));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    const QFileInfo proposed(qtext(request.proposedName));
    QString folder = qtext(request.startFolder);
    if (!request.proposedName.empty() && (proposed.isAbsolute() || folder.isEmpty()))
        folder = proposed.absolutePath();
    if (!folder.isEmpty())
        dialog.setDirectory(nearestFolder(folder));
    if (!request.proposedName.empty())
        dialog.selectFile(proposed.fileName());
}

} // namespace

CQtFileDialogs::CQtFileDialogs(IPrompter &prompter, QWidget *parent)
    : m_prompter(prompter)
    , m_parent(parent)
{
}

QStringList CQtFileDialogs::nameFilters(const std::vector<FileFilter> &filters)
{
    QStringList result;
    for (const FileFilter &filter : filters) {
        QString label = qtext(filter.label);
        const QString pattern = qtext(filter.pattern);
        // Qt separates patterns with blanks, the programs' texts with ";".
        const QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (label == pattern) {
            result << patterns;
            continue;
        }
        const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (label.endsWith(bracketed))
            label.chop(bracketed.size());
        else
            label += QLatin1Char(' ');
        result << label + QLatin1Char('(') + patterns + QLatin1Char(')');
    }
    return result;
}

std::optional<std::string> CQtFileDialogs::askPath(const FileRequest &request)
{
    QWidget *owner = m_parent;
    if (!owner)
        owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    QFileDialog dialog(owner, qtext(request.title));
    prepare(dialog, request);
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
        if (std::optional<std::string> path = cp932Exact(chosen))
            return path;
        Message refusal;
        refusal.text = cp932::text(kUnholdablePathText);
        refusal.icon = Icon::Warning;
        m_prompter.ask(refusal);
    }
    return std::nullopt;
}

} // namespace kvr::ui
