#pragma once
#include <QList>
#include <QString>

// A list of Unicode lines with an integer slot per line. Its text form puts CR LF after every
// line; setting the text breaks it at CR, LF, CR LF and U+2028.
class TfrxWideStrings
{
public:
    TfrxWideStrings() = default;
    explicit TfrxWideStrings(const QString &text) { setText(text); }

    int count() const { return int(FLines.size()); }
    bool isEmpty() const { return FLines.isEmpty(); }
    const QString &at(int index) const { return FLines.at(index).Text; }
    void set(int index, const QString &line) { FLines[index].Text = line; }
    int object(int index) const { return FLines.at(index).Object; }
    void setObject(int index, int value) { FLines[index].Object = value; }

    void append(const QString &line, int object = 0) { FLines.append({line, object}); }
    void insert(int index, const QString &line, int object = 0) { FLines.insert(index, {line, object}); }
    void removeAt(int index) { FLines.removeAt(index); }
    void clear() { FLines.clear(); }

    QString text() const;
    void setText(const QString &text);
    QStringList lines() const;

    bool operator==(const TfrxWideStrings &) const = default;

    // The lines of a text, broken by the rule of the text form.
    static QStringList splitLines(const QString &text);

private:
    struct Line
    {
        QString Text;
        int Object = 0;
        bool operator==(const Line &) const = default;
    };
    QList<Line> FLines;
};
