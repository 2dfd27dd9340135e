#pragma once

#include <QString>

// Bracket matching from the opening delimiter at i: nested pairs count, and delimiters inside
// single- or double-quoted strings do not. On success i is the position of the opening delimiter,
// j the last character of the matching closing one and expression the text between them. An
// opening delimiter without its closing one finds nothing.
bool zorGetBrackedVariableW(const QString &text, const QString &open, const QString &close, qsizetype &i,
                            qsizetype &j, QString &expression);
