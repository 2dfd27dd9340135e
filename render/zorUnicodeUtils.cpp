#include "zorUnicodeUtils.h"

namespace {

bool isVowel(QChar c)
{
    return QStringView(u"АЕЁИОУЫЭЮЯ").contains(c);
}

bool isConsonant(QChar c)
{
    return QStringView(u"БВГДЖЗЙКЛМНПРСТФХЦЧШЩЬЪ").contains(c);
}

bool hasVowel(QStringView part)
{
    for (QChar c : part) {
        if (isVowel(c))
            return true;
    }
    return false;
}

// A break after a consonant unless a vowel or a soft or hard sign follows; after a vowel unless
// Й follows or a doubled consonant with a vowel after it.
bool permitted(const QString &w, qsizetype p)
{
    auto at = [&](qsizetype k) { return k < w.size() ? w.at(k) : QChar(); };
    const QChar c = w.at(p - 1);
    const QChar next = at(p);
    if (isConsonant(c))
        return !isVowel(next) && next != u'Ь' && next != u'Ъ';
    if (isVowel(c)) {
        if (next == u'Й')
            return false;
        return !(isConsonant(next) && at(p + 1) == next && isVowel(at(p + 2)));
    }
    return false;
}

} // namespace

QList<int> zorRussianBreakPositions(const QString &word)
{
    QList<int> result;
    if (word.size() <= 3)
        return result;
    const QString w = word.toUpper();
    const QStringView view(w);
    for (qsizetype p = 2; p <= w.size() - 2; ++p) {
        if (permitted(w, p) && hasVowel(view.left(p)) && hasVowel(view.mid(p)))
            result.append(int(p));
    }
    return result;
}

int zorBreakRussianWord(const QString &word, int fit)
{
    const QList<int> positions = zorRussianBreakPositions(word);
    for (auto p = positions.crbegin(); p != positions.crend(); ++p) {
        if (*p < fit)
            return *p;
    }
    return 0;
}
