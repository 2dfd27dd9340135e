#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// An INI text in the convention of the Windows profile functions: "[section]" lines, "key=value"
// lines, names matched without regard to case, the first of duplicate sections and keys winning.
// Lines that are not touched by a write stay exactly as they were, so foreign sections and keys
// survive an update.
class TIniFile
{
public:
    // The longest value that a read returns; the rest of a longer value is lost.
    static constexpr int maxValueLength = 2047;

    TIniFile() = default;

    // Decodes a file's bytes: UTF-8 when they carry a byte-order mark or are valid UTF-8 with
    // non-ASCII characters, Windows-1251 otherwise.
    static TIniFile fromBytes(const QByteArray &bytes);
    // Reads a file; a file that does not exist reads as empty. Returns nothing when the path
    // exists but cannot be read as a file (a folder, no permission, an I/O error).
    static std::optional<TIniFile> load(const QString &path);

    bool hasSection(const QString &section) const;
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // Replaces the value where the key stands, adds a new key at the end of its section, or a new
    // section at the end of the text.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    // The text with CR LF after every line.
    QString text() const;
    // Writes the text in Windows-1251 through a temporary file and an atomic rename: either the
    // whole new content is in place or the old file is untouched.
    bool save(const QString &path) const;

private:
    struct KeyLine
    {
        qsizetype line = -1;
        qsizetype equals = -1;
    };

    qsizetype findSection(const QString &section) const;
    qsizetype sectionEnd(qsizetype headerLine) const;
    KeyLine findKey(qsizetype headerLine, const QString &key) const;
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    QStringList FLines;
};
