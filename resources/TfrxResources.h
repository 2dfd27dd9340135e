#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QIODevice;
class TfrxResourcesPrivate;

// The process-wide table of the report library's texts, by key (without regard to case) or by
// number. It is filled from the built-in tables at first use and can be overlaid by language
// files (".frc" beside the program, or in the installed data folder "../share/zelta" next to the
// program's folder); other parts keep small keyed texts in it too.
class TfrxResources
{
public:
    // Language files are looked for in `programFolder`, then in its "../share/zelta"; the built-in
    // tables are not loaded.
    explicit TfrxResources(const QString &programFolder = QString());
    ~TfrxResources();
    TfrxResources(const TfrxResources &) = delete;
    TfrxResources &operator=(const TfrxResources &) = delete;

    // The text of `key`, or the key itself when there is none; a leading "!" is dropped.
    QString Get(const QString &key) const;
    // Sets the text of a key; an existing key keeps its place.
    void Add(const QString &key, const QString &text);
    void AddW(const QString &key, const QString &text) { Add(key, text); }
    // Adds each "name=value" line whose name and value are not empty.
    void AddStrings(const QStringList &lines);
    // Loads a table given as UTF-8 bytes.
    void AddXML(const QByteArray &text);
    // Loads a table: a "Resources" root with one "StrRes" element (Name, Text) per entry. A table
    // that is not well-formed raises TfrxInvalidXMLException.
    void LoadFromStream(QIODevice *stream);
    // Loads a table file; nothing happens when the file does not exist.
    void LoadFromFile(const QString &name);
    // Loads the built-in tables: general texts, property descriptions, designer texts.
    void LoadBuiltIn();
    void Clear();

    int Count() const;
    QStringList Keys() const;
    // The CodePage attribute of the last table loaded (0 when it is not a number).
    int CodePage() const;

    // The languages whose ".frc" files were found: the file name without the extension,
    // capitalised, sorted. A file beside the program hides one of the same language in the data
    // folder.
    QStringList Languages() const;
    // Loads the language file of `language` over the table. False when there is no such language,
    // or when its file cannot be read: then the table keeps every text it had and `error` (when
    // given) says which file and line are wrong.
    bool LoadLanguage(const QString &language, QString *error = nullptr);
    // The language loaded in this run, empty while there is none.
    QString CurrentLanguage() const;
    // Puts the built-in texts back over any language loaded; CurrentLanguage becomes empty.
    void ResetLanguage();

    // Called after every table loaded, for parts that copy texts out of the table (the script
    // engine's messages). Returns an id for RemoveLoadListener.
    int AddLoadListener(std::function<void()> listener);
    void RemoveLoadListener(int id);
    // The keys of the script engine's messages that are refreshed from every table loaded.
    static const QStringList &ScriptMessageKeys();

private:
    std::unique_ptr<TfrxResourcesPrivate> d;
};

// The single table, created with the built-in texts on the first call.
TfrxResources &zorResources();
// The text of a numbered entry: Get of the number's decimal text.
QString zorGet(int number);
