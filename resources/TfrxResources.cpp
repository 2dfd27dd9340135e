#include "TfrxResources.h"

#include "TfrxInvalidXMLException.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "zorXML.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMap>

#include <map>

namespace {

// A table in the old single-byte format is read byte for byte and its texts are UTF-8; characters
// that came from numeric references beyond one byte stay as they are.
QString utf8FromBytes(const QString &text)
{
    QString out;
    QByteArray run;
    for (QChar c : text) {
        if (c.unicode() <= 0xFF) {
            run.append(char(c.unicode()));
            continue;
        }
        out += QString::fromUtf8(run);
        run.clear();
        out += c;
    }
    return out + QString::fromUtf8(run);
}

QString languageName(const QString &fileName)
{
    const QString base = fileName.chopped(4);
    return base.left(1).toUpper() + base.mid(1).toLower();
}

// The line of a file that holds byte `position`, counting from 1.
qint64 lineOf(const QString &fileName, qint64 position)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    return file.read(qMax<qint64>(position, 0)).count('\n') + 1;
}

} // namespace

// The built-in tables live in a static library: make sure they are registered.
static void initBuiltInTables()
{
    Q_INIT_RESOURCE(strings);
}

class TfrxResourcesPrivate
{
public:
    QHash<QString, qsizetype> names; // case-folded key -> index in keys and values
    QStringList keys;
    QStringList values;
    int codePage = 0;
    QMap<QString, QString> languageFiles; // language -> path of its file
    QString currentLanguage;
    std::map<int, std::function<void()>> listeners;
    int nextListener = 0;

    void scanLanguages(const QString &folder);
    void loaded()
    {
        for (const auto &[id, listener] : listeners)
            listener();
    }
};

// Adds the languages of `folder` that no folder scanned before has.
void TfrxResourcesPrivate::scanLanguages(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString &file : files) {
        if (file.size() <= 4 || !file.endsWith(QStringLiteral(".frc"), Qt::CaseInsensitive))
            continue;
        const QString language = languageName(file);
        if (!languageFiles.contains(language))
            languageFiles.insert(language, dir.filePath(file));
    }
}

TfrxResources::TfrxResources(const QString &programFolder) : d(std::make_unique<TfrxResourcesPrivate>())
{
    if (programFolder.isEmpty())
        return;
    // While developing the files lie beside the program; installed, in the data folder.
    d->scanLanguages(programFolder);
    d->scanLanguages(QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/zelta"))));
}

TfrxResources::~TfrxResources() = default;

QString TfrxResources::Get(const QString &key) const
{
    const auto it = d->names.constFind(key.toCaseFolded());
    QString text = it == d->names.cend() ? key : d->values.at(*it);
    if (text.startsWith(u'!'))
        text.remove(0, 1);
    return text;
}

void TfrxResources::Add(const QString &key, const QString &text)
{
    const QString folded = key.toCaseFolded();
    const auto it = d->names.constFind(folded);
    if (it != d->names.cend()) {
        d->values[*it] = text;
        return;
    }
    d->names.insert(folded, d->values.size());
    d->keys.append(key);
    d->values.append(text);
}

void TfrxResources::AddStrings(const QStringList &lines)
{
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && eq + 1 < line.size())
            Add(line.left(eq), line.mid(eq + 1));
    }
}

void TfrxResources::AddXML(const QByteArray &text)
{
    QByteArray bytes = text;
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    LoadFromStream(&stream);
}

// table -> header "Resources"(CodePage) { "StrRes"(Name, Text) }, texts escaped twice
void TfrxResources::LoadFromStream(QIODevice *stream)
{
    TfrxXMLDocument doc;
    doc.SetOldFormatAsBytes(true);
    doc.LoadFromStream(stream);
    const TfrxXMLItem *root = doc.Root();
    if (root->Name() != u"Resources")
        return;
    d->codePage = root->Prop(QStringLiteral("CodePage")).toInt();
    const auto decode = [old = doc.OldVersion()](const QString &s) { return old ? utf8FromBytes(s) : s; };
    const QString name = QStringLiteral("Name");
    const QString textName = QStringLiteral("Text");
    for (int i = 0; i < root->Count(); ++i) {
        const TfrxXMLItem *entry = root->Items(i);
        if (entry->Name() == u"StrRes")
            Add(decode(entry->Prop(name)), decode(zorXMLToStr(entry->Prop(textName))));
    }
    d->loaded();
}

void TfrxResources::LoadFromFile(const QString &name)
{
    QFile file(name);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    LoadFromStream(&file);
}

void TfrxResources::LoadBuiltIn()
{
    initBuiltInTables();
    for (const char *table : {"general", "properties", "designer"})
        LoadFromFile(QStringLiteral(":/strings/%1.xml").arg(QLatin1String(table)));
}

void TfrxResources::Clear()
{
    d->names.clear();
    d->keys.clear();
    d->values.clear();
}

int TfrxResources::Count() const
{
    return int(d->values.size());
}

QStringList TfrxResources::Keys() const
{
    return d->keys;
}

int TfrxResources::CodePage() const
{
    return d->codePage;
}

QStringList TfrxResources::Languages() const
{
    return d->languageFiles.keys();
}

bool TfrxResources::LoadLanguage(const QString &language, QString *error)
{
    for (auto it = d->languageFiles.cbegin(); it != d->languageFiles.cend(); ++it) {
        if (it.key().compare(language, Qt::CaseInsensitive) != 0)
            continue;
        try {
            // The whole file is parsed before any text is added, so a broken one changes nothing.
            LoadFromFile(it.value());
        } catch (const TfrxInvalidXMLException &e) {
            if (error != nullptr)
                *error = QStringLiteral("%1, line %2: %3")
                             .arg(QDir::toNativeSeparators(it.value()))
                             .arg(lineOf(it.value(), e.Position()))
                             .arg(QString::fromUtf8(e.what()));
            return false;
        }
        d->currentLanguage = it.key();
        return true;
    }
    return false;
}

QString TfrxResources::CurrentLanguage() const
{
    return d->currentLanguage;
}

void TfrxResources::ResetLanguage()
{
    LoadBuiltIn();
    d->currentLanguage.clear();
}

int TfrxResources::AddLoadListener(std::function<void()> listener)
{
    const int id = d->nextListener++;
    d->listeners.emplace(id, std::move(listener));
    return id;
}

void TfrxResources::RemoveLoadListener(int id)
{
    d->listeners.erase(id);
}

const QStringList &TfrxResources::ScriptMessageKeys()
{
    static const QStringList keys = {
        QStringLiteral("SLangNotFound"),     QStringLiteral("SInvalidLanguage"), QStringLiteral("SIdRedeclared"),
        QStringLiteral("SUnknownType"),      QStringLiteral("SIncompatibleTypes"), QStringLiteral("SIdUndeclared"),
        QStringLiteral("SClassRequired"),    QStringLiteral("SIndexRequired"),   QStringLiteral("SStringError"),
        QStringLiteral("SClassError"),       QStringLiteral("SArrayRequired"),   QStringLiteral("SVarRequired"),
        QStringLiteral("SNotEnoughParams"),  QStringLiteral("STooManyParams"),   QStringLiteral("SLeftCantAssigned"),
        QStringLiteral("SForError"),         QStringLiteral("SEventError")};
    return keys;
}

TfrxResources &zorResources()
{
    static TfrxResources resources(QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                                 : QString());
    static const bool loaded = (resources.LoadBuiltIn(), true);
    Q_UNUSED(loaded);
    return resources;
}

QString zorGet(int number)
{
    return zorResources().Get(QString::number(number));
}
