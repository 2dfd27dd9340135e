#include "fsLanguages.h"

#include "TfsError.h"

#include <QFile>
#include <QMutex>

#include <utility>
#include <vector>

static void initLanguageResources()
{
    Q_INIT_RESOURCE(fs_languages);
}

namespace {

struct Registry
{
    QMutex lock;
    std::vector<std::pair<QString, QString>> languages; // in order of registration

    Registry()
    {
        initLanguageResources();
        static const std::pair<const char16_t *, const char16_t *> builtIn[] = {
            {u"PascalScript", u":/script/grammars/fs_ipascal.xml"},
            {u"C++Script", u":/script/grammars/fs_icpp.xml"},
            {u"BasicScript", u":/script/grammars/fs_ibasic.xml"},
            {u"JScript", u":/script/grammars/fs_ijs.xml"},
        };
        for (const auto &[name, path] : builtIn) {
            QFile file(QString::fromUtf16(path));
            if (file.open(QIODevice::ReadOnly))
                languages.emplace_back(QString::fromUtf16(name), QString::fromUtf8(file.readAll()));
        }
    }

    std::pair<QString, QString> *find(const QString &name)
    {
        for (auto &entry : languages)
            if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
                return &entry;
        return nullptr;
    }
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

void fsRegisterLanguage(const QString &name, const QString &grammar)
{
    Registry &r = registry();
    QMutexLocker locker(&r.lock);
    if (auto *entry = r.find(name))
        entry->second = grammar;
    else
        r.languages.emplace_back(name, grammar);
}

QString fsGetLanguage(const QString &name)
{
    Registry &r = registry();
    QMutexLocker locker(&r.lock);
    if (const auto *entry = r.find(name))
        return entry->second;
    throw TfsError(QStringLiteral("Language '%1' not found").arg(name));
}

void fsGetLanguageList(QStringList &list)
{
    Registry &r = registry();
    QMutexLocker locker(&r.lock);
    list.clear();
    for (const auto &entry : r.languages)
        if (!entry.first.startsWith(u'@'))
            list.append(entry.first);
}
