#include "TfsStringsObject.h"

#include "TfsClassVariable.h"
#include "TfsRuntimeError.h"

namespace {

TfsStringsObject *list(QObject *obj)
{
    auto *l = qobject_cast<TfsStringsObject *>(obj);
    if (!l)
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    return l;
}

// An index into the lines; one outside them is a run-time error.
int checked(const TfsValue &index, int count)
{
    const int64_t i = index.ToInt64();
    if (i < 0 || i >= count)
        throw TfsRuntimeError(QStringLiteral("List index out of bounds (%1)").arg(i), QStringLiteral("EStringListError"));
    return int(i);
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

void TfsStringsObject::AddMembers(TfsClassVariable &cls, const TfsScript &scope)
{
    cls.AddProperty(QStringLiteral("Count"), QStringLiteral("Integer"), scope,
                    [](QObject *obj) { return TfsValue(int(list(obj)->Lines().size())); });
    cls.AddProperty(
        QStringLiteral("Text"), QStringLiteral("String"), scope, [](QObject *obj) { return TfsValue(list(obj)->Text()); },
        [](QObject *obj, const TfsValue &v) { list(obj)->SetText(v.ToString()); });
    cls.AddDefaultProperty(
        QStringLiteral("Strings"), QStringLiteral("Integer"), QStringLiteral("String"), scope,
        [](QObject *obj, std::span<TfsValue> a) {
            const QStringList lines = list(obj)->Lines();
            return TfsValue(lines[checked(a[0], int(lines.size()))]);
        },
        [](QObject *obj, std::span<TfsValue> a, const TfsValue &v) {
            QStringList lines = list(obj)->Lines();
            lines[checked(a[0], int(lines.size()))] = v.ToString();
            list(obj)->SetLines(lines);
        });
    cls.AddIndexProperty(
        QStringLiteral("Objects"), QStringLiteral("Integer"), QStringLiteral("TObject"), scope,
        [](QObject *obj, std::span<TfsValue> a) {
            TfsStringsObject *l = list(obj);
            return TfsValue::MakeObject(l->Object(checked(a[0], int(l->Lines().size()))));
        },
        [](QObject *obj, std::span<TfsValue> a, const TfsValue &v) {
            TfsStringsObject *l = list(obj);
            l->SetObject(checked(a[0], int(l->Lines().size())), v.IsNull() ? 0 : v.ToInt64());
        });
    const auto add = [](TfsStringsObject *l, const QString &line, int64_t object) {
        QStringList lines = l->Lines();
        lines.append(line);
        l->SetLines(lines);
        l->SetObject(int(lines.size()) - 1, object);
        return TfsValue(int(lines.size()) - 1);
    };
    cls.AddMethod(
        QStringLiteral("function Add(const S: string): Integer"),
        [add](QObject *obj, std::span<TfsValue> a) { return add(list(obj), a[0].ToString(), 0); }, scope);
    cls.AddMethod(
        QStringLiteral("function AddObject(const S: string; AObject: TObject): Integer"),
        [add](QObject *obj, std::span<TfsValue> a) {
            return add(list(obj), a[0].ToString(), a[1].IsNull() ? 0 : a[1].ToInt64());
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure Clear"),
        [](QObject *obj, std::span<TfsValue>) {
            list(obj)->SetLines({});
            return TfsValue::MakeNull();
        },
        scope);
    cls.AddMethod(
        QStringLiteral("procedure Delete(Index: Integer)"),
        [](QObject *obj, std::span<TfsValue> a) {
            QStringList lines = list(obj)->Lines();
            lines.removeAt(checked(a[0], int(lines.size())));
            list(obj)->SetLines(lines);
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
            QStringList lines = list(obj)->Lines();
            // Inserting at the end appends.
            lines.insert(checked(a[0], int(lines.size()) + 1), a[1].ToString());
            list(obj)->SetLines(lines);
            return TfsValue::MakeNull();
        },
        scope);
    for (const char *syntax : {"procedure LoadFromFile(const FileName: string)", "procedure LoadFromStream(Stream: TStream)",
                               "procedure SaveToFile(const FileName: string)", "procedure SaveToStream(Stream: TStream)"})
        cls.AddMethod(
            QString::fromLatin1(syntax),
            [](QObject *, std::span<TfsValue>) -> TfsValue {
                throw TfsRuntimeError(QStringLiteral("Scripts have no access to files"), QStringLiteral("EFOpenError"));
            },
            scope);
}
