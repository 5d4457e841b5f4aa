#include "app/ui/qtfilechooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

CQtFileChooser::CQtFileChooser(IPrompter &prompter)
    : m_prompter(prompter)
{
}

QStringList CQtFileChooser::nameFilters(const std::vector<FileFilter> &filters)
{
    QStringList result;
    for (const FileFilter &filter : filters) {
        const QString label = qtext(filter.label);
        const QString pattern = qtext(filter.pattern);
        const QString bracketed = QLatin1Char('(') + pattern + QLatin1Char(')');
        result << (label.endsWith(bracketed) ? label : label + QLatin1Char(' ') + bracketed);
    }
    return result;
}

std::optional<std::string> CQtFileChooser::askOpenFile(const std::string &title,
                                                       const std::vector<FileFilter> &filters,
                                                       const std::string &initialPath)
{
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    QString start = qtext(initialPath);
    // A missing file's folder may be missing too: open in the nearest one that exists.
    QString folder = QFileInfo(start).absolutePath();
    while (!QDir(folder).exists() && QFileInfo(folder).path() != folder)
        folder = QFileInfo(folder).path();
    for (;;) {
        QFileDialog dialog(owner, qtext(title), folder);
        dialog.setObjectName(QStringLiteral("openFileDialog"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters(nameFilters(filters));
        if (!initialPath.empty())
            dialog.selectFile(QFileInfo(start).fileName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        const QString chosen = dialog.selectedFiles().constFirst();
        if (std::optional<std::string> path = cp932Exact(chosen))
            return path;
        // Every path is kept as CP932; one it cannot hold could never be opened again.
        Message refusal;
        refusal.text = cp932::text("このファイル名は使用できません。日本語 (Shift_JIS) で"
                                   "表せる名前のファイルを指定してください。");
        refusal.icon = Icon::Warning;
        m_prompter.ask(refusal);
        folder = QFileInfo(chosen).absolutePath();
        start = chosen;
    }
}

} // namespace kvr::ui
