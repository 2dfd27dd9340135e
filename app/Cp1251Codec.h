#pragma once

#include <QByteArray>
#include <QString>

// Windows-1251, the code page of certificate files. Characters that the code page cannot hold are
// written as "?"; callers that must not lose them silently ask for them first.
namespace Cp1251Codec {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// The distinct characters of the text that Windows-1251 cannot represent, in order of appearance.
QString unrepresentable(const QString &text);

} // namespace Cp1251Codec
