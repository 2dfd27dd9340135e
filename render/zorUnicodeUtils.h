#pragma once
#include <QList>
#include <QString>

// Places where a Russian word may be hyphenated: p means a break after the p-th character.
// Ascending; empty for words of three characters or fewer.
QList<int> zorRussianBreakPositions(const QString &word);

// The largest permitted break position smaller than `fit` (the number of the word's characters
// that fit on the line), or 0 when the word cannot be broken there.
int zorBreakRussianWord(const QString &word, int fit);
