#include "platform/ui/qtshell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/ui/qtext.h"

namespace kvr::ui {

bool CQtShell::openAddress(const std::string &address)
{
    // The core encodes addresses itself; anything Qt would have to repair is refused rather
    // than sent somewhere else.
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool CQtShell::openFile(const std::string &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qpath(path)));
}

bool CQtShell::startDetached(const std::string &program, const std::vector<std::string> &arguments,
                             const std::string &folder)
{
    QProcess process;
    process.setProgram(qpath(program));
    QStringList list;
    for (const std::string &argument : arguments)
        list << qtext(argument);
    process.setArguments(list);
    if (!folder.empty())
        process.setWorkingDirectory(qpath(folder));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace kvr::ui
