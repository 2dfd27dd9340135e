#pragma once

#include <QString>
#include <QStringList>

// The process-wide registry of script languages: name to grammar text. The four built-in languages
// ("PascalScript", "C++Script", "BasicScript", "JScript") are registered before the first use.

// Adds a language or replaces the grammar of one with the same name (ignoring case).
void fsRegisterLanguage(const QString &name, const QString &grammar);
// The grammar text; throws TfsError("Language '<name>' not found") for an unknown name.
QString fsGetLanguage(const QString &name);
// The registered names, except those beginning with '@' (languages for internal use).
void fsGetLanguageList(QStringList &list);
