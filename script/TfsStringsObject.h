#pragma once

#include <QObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class TfsClassVariable;
class TfsScript;

// A list of text lines as scripts see it (TStrings, TStringList, TWideStrings): its own lines, or
// lines kept by a host object (a text object's text) that it reads and writes through.
class TfsStringsObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "TStringList")

public:
    using Reader = std::function<QStringList()>;
    using Writer = std::function<void(const QStringList &)>;

    explicit TfsStringsObject(QObject *parent = nullptr);
    TfsStringsObject(Reader read, Writer write, QObject *parent = nullptr);

    QStringList Lines() const;
    void SetLines(const QStringList &lines);
    // The text form: CR LF after every line; setting it breaks at CR LF, CR, LF and U+2028.
    QString Text() const;
    void SetText(const QString &text);
    // The lines of a text form: breaks at CR LF, CR, LF and U+2028; a break at the end ends the last line.
    static QStringList SplitLines(const QString &text);
    // The object handle kept beside a line (0 for none); it moves with its line.
    int64_t Object(int index) const;
    void SetObject(int index, int64_t handle);

    // Editing by index; an index outside the lines is a run-time error (Insert may append).
    int Add(const QString &line, int64_t object = 0);
    void Insert(int index, const QString &line);
    void Delete(int index);
    void Clear();
    QString Line(int index) const;
    void SetLine(int index, const QString &line);
    // The index checked against the lines (one more allowed with extra).
    int Checked(int64_t index, int extra = 0) const;

    // Count, Text, Strings (the default indexed property), Objects, Add, AddObject, Clear, Delete,
    // IndexOf and Insert; the file and stream members are refused (scripts get no file access).
    static void AddMembers(TfsClassVariable &cls, const TfsScript &scope);

private:
    Reader FRead;
    Writer FWrite;
    QStringList FLines;
    mutable std::vector<int64_t> FObjects;
};
