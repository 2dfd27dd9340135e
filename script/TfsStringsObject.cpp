#include "TfsStringsObject.h"

#include "TfsClassVariable.h"
#include "TfsFileAccess.h"
#include "TfsRuntimeError.h"

#include <QFile>
#include <QStringDecoder>

namespace {

TfsStringsObject *list(QObject *obj)
{
    auto *l = qobject_cast<TfsStringsObject *>(obj);
    if (!l)
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return l;
}

bool isBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c.unicode() == 0x2028;
}

} // namespace

TfsStringsObject::TfsStringsObject(QObject *parent) : QObject(parent) {}

TfsStringsObject::TfsStringsObject(Reader read, Writer write, QObject *parent)
    : QObject(parent), FRead(std::move(read)), FWrite(std::move(write))
{
}

QStringList TfsStringsObject::Lines() const
{
    return FRead ? FRead() : FLines;
}

void TfsStringsObject::SetLines(const QStringList &lines)
{
    if (FWrite)
        FWrite(lines);
    else
        FLines = lines;
}

QString TfsStringsObject::Text() const
{
    QString text;
    for (const QString &line : Lines())
        text += line + QStringLiteral("\r\n");
    return text;
}

void TfsStringsObject::SetText(const QString &text)
{
    SetLines(SplitLines(text));
}

QStringList TfsStringsObject::SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (!isBreak(text[i])) {
            ++i;
            continue;
        }
        lines.append(text.mid(start, i - start));
        i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

int64_t TfsStringsObject::Object(int index) const
{
    return size_t(index) < FObjects.size() ? FObjects[size_t(index)] : 0;
}

void TfsStringsObject::SetObject(int index, int64_t handle)
{
    if (FObjects.size() <= size_t(index))
        FObjects.resize(size_t(index) + 1, 0);
    FObjects[size_t(index)] = handle;
}

int TfsStringsObject::Checked(int64_t index, int extra) const
{
    if (index < 0 || index >= Lines().size() + extra)
        throw TfsRuntimeError(QStringLiteral("List index out of bounds (%1)").arg(index),
                              QStringLiteral("EStringListError"));
    return int(index);
}

int TfsStringsObject::Add(const QString &line, int64_t object)
{
    QStringList lines = Lines();
    lines.append(line);
    SetLines(lines);
    SetObject(int(lines.size()) - 1, object);
    return int(lines.size()) - 1;
}

void TfsStringsObject::Insert(int index, const QString &line)
{
    QStringList lines = Lines();
    lines.insert(index, line);
    SetLines(lines);
    if (size_t(index) < FObjects.size())
        FObjects.insert(FObjects.begin() + index, 0);
}

void TfsStringsObject::Delete(int index)
{
    QStringList lines = Lines();
    lines.removeAt(index);
    SetLines(lines);
    if (size_t(index) < FObjects.size())
        FObjects.erase(FObjects.begin() + index);
}

void TfsStringsObject::Clear()
{
    SetLines({});
    FObjects.clear();
}

QString TfsStringsObject::Line(int index) const
{
    return Lines().at(index);
}

void TfsStringsObject::SetLine(int index, const QString &line)
{
    QStringList lines = Lines();
    lines[index] = line;
    SetLines(lines);
}

void TfsStringsObject::AddMembers(TfsClassVariable &cls, const TfsScript &scope)
{
    cls.AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"), scope,
                    [](QObject *obj) { return TfsValue(int(list(obj)->Lines().size())); });
    cls.AddProperty(
        QStringLiteral("Text"), QStringLiteral("String"), scope,
        [](QObject *obj) { return TfsValue(list(obj)->Text()); },
        [](QObject *obj, const TfsValue &v) { list(obj)->SetText(v.ToString()); });
    cls.AddDefaultProperty(
        QStringLiteral("Strings"), QStringLiteral("Integer"), QStringLiteral("String"), scope,
        [](QObject *obj, std::span<TfsValue> a) {
            TfsStringsObject *l = list(obj);
            return TfsValue(l->Line(l->Checked(a[0].ToInt64())));
        },
        [](QObject *obj, std::span<TfsValue> a, const TfsValue &v) {
            TfsStringsObject *l = list(obj);
            l->SetLine(l->Checked(a[0].ToInt64()), v.ToString());
        });
    cls.AddIndexProperty(
        QStringLiteral("Objects"), QStringLiteral("Integer"), QStringLiteral("TObject"), scope,
        [](QObject *obj, std::span<TfsValue> a) {
            TfsStringsObject *l = list(obj);
            return TfsValue::MakeObject(l->Object(l->Checked(a[0].ToInt64())));
        },
        [](QObject *obj, std::span<TfsValue> a, const TfsValue &v) {
            TfsStringsObject *l = list(obj);
            l->SetObject(l->Checked(a[0].ToInt64()), v.IsNull() ? 0 : v.ToInt64());
        });
    cls.AddMethod(
        QStringLiteral("function Add(const S: string): Integer"),
        [](QObject *obj, std::span<TfsValue> a) { return TfsValue(list(obj)->Add(a[0].ToString())); }, scope);
    cls.AddMethod(
        QStringLiteral("function AddObject(const S: string; AObject: TObject): Integer"),
        [](QObject *obj, std::span<TfsValue> a) {
            return TfsValue(list(obj)->Add(a[0].ToString(), a[1].IsNull() ? 0 : a[1].ToInt64()));
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure Clear"),
        [](QObject *obj, std::span<TfsValue>) {
            list(obj)->Clear();
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure Delete(Index: Integer)"),
        [](QObject *obj, std::span<TfsValue> a) {
            TfsStringsObject *l = list(obj);
            l->Delete(l->Checked(a[0].ToInt64()));
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("function IndexOf(const S: string): Integer"),
        [](QObject *obj, std::span<TfsValue> a) {
            const QStringList lines = list(obj)->Lines();
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (lines[i].compare(a[0].ToString(), Qt::CaseInsensitive) == 0)
                    return TfsValue(int(i));
            return TfsValue(-1);
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure Insert(Index: Integer; const S: string)"),
        [](QObject *obj, std::span<TfsValue> a) {
            TfsStringsObject *l = list(obj);
            l->Insert(l->Checked(a[0].ToInt64(), 1), a[1].ToString()); // at the end: appended
            return TfsValue::MakeNull();
        },
        scope);
    // Lines come from a file beside the template; nothing is written and streams are not reachable.
    cls.AddMethod(
        QStringLiteral("procedure LoadFromFile(const FileName: string)"),
        [&scope](QObject *obj, std::span<TfsValue> a) {
            QFile file(fsScriptReadPath(scope, a[0].ToString()));
            if (!file.open(QIODevice::ReadOnly))
                throw TfsRuntimeError(QStringLiteral("Cannot open file \"%1\"").arg(a[0].ToString()),
                                      QStringLiteral("EFOpenError"));
            QStringDecoder utf8(QStringDecoder::Utf8);
            list(obj)->SetText(utf8.decode(file.readAll()));
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure SaveToFile(const FileName: string)"),
        [](QObject *, std::span<TfsValue>) -> TfsValue { fsRefuseFileWrite(); }, scope);
    for (const char *syntax : {"procedure LoadFromStream(Stream: TStream)", "procedure SaveToStream(Stream: TStream)"})
        cls.AddMethod(
            QString::fromLatin1(syntax),
            [](QObject *, std::span<TfsValue>) -> TfsValue {
                throw TfsRuntimeError(QStringLiteral("Scripts have no access to streams"),
                                      QStringLiteral("EFOpenError"));
            },
            scope);
}
