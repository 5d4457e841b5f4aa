#include "platform/ui/qtext.h"

#include <QFile>

#include "platform/cp932.h"
#include "platform/textfile.h"

namespace kvr::ui {

namespace {

std::string toUtf8Bytes(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace

QString qtext(std::string_view cp932)
{
    return utext(cp932::toUtf8(cp932));
}

QString qpath(std::string_view cp932Path)
{
    return QFile::decodeName(QByteArray::fromStdString(nativePath(cp932Path)));
}

std::string cp932(const QString &text)
{
    return cp932::fromUtf8(toUtf8Bytes(text)).bytes;
}

std::optional<std::string> cp932Exact(const QString &text)
{
    cp932::Encoded encoded = cp932::fromUtf8(toUtf8Bytes(text));
    if (!encoded.ok())
        return std::nullopt;
    return std::move(encoded.bytes);
}

} // namespace kvr::ui
