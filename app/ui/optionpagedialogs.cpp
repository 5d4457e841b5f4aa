#include "app/ui/optionpagedialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

// "Kvr LogFile (*.txt)" already names its pattern the way Qt reads filters; a label that
// does not gets it appended.
QStringList nameFilters(const std::vector<FileFilter> &filters)
{
    QStringList result;
    for (const FileFilter &filter : filters) {
        QString label = qtext(filter.label);
        const QString pattern = QString::fromStdString(filter.pattern);
        if (!label.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')')))
            label += QStringLiteral(" (") + pattern + QLatin1Char(')');
        result << label;
    }
    return result;
}

} // namespace

CQtOptionDialogs::CQtOptionDialogs(QWidget *parent, IPrompter &prompter)
    : m_parent(parent)
    , m_prompter(prompter)
{
}

std::optional<std::string> CQtOptionDialogs::storable(const QString &chosen)
{
    if (std::optional<std::string> path = cp932Exact(chosen))
        return path;
    Message message;
    message.text = cp932::text("このファイル名には使えない文字が含まれています。\n\n"
                               "このプログラムで扱えない文字（一部の記号や外国の文字など）を"
                               "含まない名前のものを選んでください。");
    message.icon = Icon::Warning;
    m_prompter.ask(message);
    return std::nullopt;
}

std::optional<std::string> CQtOptionDialogs::askOpenFile(const FileRequest &request)
{
    QFileDialog dialog(m_parent, qtext(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a missing file is reported, then taken
    dialog.setNameFilters(nameFilters(request.filters));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    const QString file = qtext(request.initialFile);
    const QFileInfo info(file);
    if (!file.isEmpty() && (info.isAbsolute() || request.initialFolder.empty())) {
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    } else {
        dialog.setDirectory(qtext(request.initialFolder));
        if (!file.isEmpty())
            dialog.selectFile(file);
    }
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        if (std::optional<std::string> path = storable(dialog.selectedFiles().front()))
            return path;
    }
    return std::nullopt;
}

std::optional<std::string> CQtOptionDialogs::askFolder(const std::string &title,
                                                       const std::string &initialFolder)
{
    QFileDialog dialog(m_parent, qtext(title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    const QFileInfo folder(qtext(initialFolder));
    dialog.setDirectory(folder.absolutePath());
    dialog.selectFile(folder.fileName());
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        if (std::optional<std::string> path =
                storable(QDir::toNativeSeparators(dialog.selectedFiles().front())))
            return path;
    }
    return std::nullopt;
}

std::optional<Rgb> CQtOptionDialogs::askColour(Rgb initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return toRgb(chosen);
}

} // namespace kvr::ui
