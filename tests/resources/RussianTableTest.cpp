#include "TfrxResources.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "zorXML.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using Texts = QHash<QString, QString>;

// The texts of a table file as written, a leading "!" included (Get would drop it).
Texts ReadTexts(const QString &fileName)
{
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    TfrxXMLDocument doc;
    doc.LoadFromStream(&file);
    Texts texts;
    for (int i = 0; i < doc.Root()->Count(); ++i) {
        const TfrxXMLItem *entry = doc.Root()->Items(i);
        texts.insert(entry->Prop(QStringLiteral("Name")), zorXMLToStr(entry->Prop(QStringLiteral("Text"))));
    }
    return texts;
}

Texts BuiltInTexts()
{
    TfrxResources().LoadBuiltIn(); // registers the tables compiled into the library
    Texts texts;
    for (const char *table : {"general", "properties", "designer"})
        texts.insert(ReadTexts(QStringLiteral(":/strings/%1.xml").arg(QLatin1String(table))));
    return texts;
}

// What a translation must keep of the English text: the arguments the program fills in, the
// accelerator, the parts of a file filter, a leading "!" and a closing ":", "..." or space.
QString ShapeOf(const QString &text)
{
    static const QRegularExpression placeholder(
        QStringLiteral(R"(%(?:\d+:)?-?\d*(?:\.\d+)?[sdfgemnpux]|%\d+)"));
    QStringList placeholders;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        placeholders << it.next().captured();
    placeholders.sort();
    const QString end = text.trimmed();
    return QStringLiteral("args [%1] &×%2 |×%3 !%4 :%5 ...%6 space%7")
        .arg(placeholders.join(u' '))
        .arg(text.count(u'&'))
        .arg(text.count(u'|'))
        .arg(text.startsWith(u'!'))
        .arg(end.endsWith(u':'))
        .arg(end.endsWith(QStringLiteral("...")))
        .arg(text.endsWith(u' '));
}

class RussianTable : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        english = new Texts(BuiltInTexts());
        russian = new Texts(ReadTexts(QStringLiteral(ZOR_LANGUAGES_DIR "/russian.frc")));
    }
    static void TearDownTestSuite()
    {
        delete english;
        delete russian;
    }
    static Texts *english;
    static Texts *russian;
};
Texts *RussianTable::english = nullptr;
Texts *RussianTable::russian = nullptr;

TEST_F(RussianTable, HasExactlyTheKeysOfTheBuiltInTables)
{
    ASSERT_FALSE(russian->isEmpty()) << "the Russian file was not read";
    for (auto it = english->cbegin(); it != english->cend(); ++it)
        EXPECT_TRUE(russian->contains(it.key())) << "missing: " << it.key().toStdString();
    for (auto it = russian->cbegin(); it != russian->cend(); ++it)
        EXPECT_TRUE(english->contains(it.key())) << "not a built-in key: " << it.key().toStdString();
}

TEST_F(RussianTable, EveryTextKeepsTheShapeOfItsEnglishText)
{
    for (auto it = english->cbegin(); it != english->cend(); ++it) {
        const QString ru = russian->value(it.key());
        EXPECT_FALSE(ru.trimmed().isEmpty()) << it.key().toStdString();
        EXPECT_EQ(ShapeOf(ru), ShapeOf(it.value()))
            << it.key().toStdString() << ": \"" << it.value().toStdString() << "\" -> \"" << ru.toStdString()
            << '"';
    }
}

TEST_F(RussianTable, IsReadAsALanguageFileOverTheBuiltInTexts)
{
    TfrxResources res(QStringLiteral(ZOR_LANGUAGES_DIR));
    res.LoadBuiltIn();
    const int count = res.Count();
    QString error;
    ASSERT_TRUE(res.LoadLanguage(QStringLiteral("Russian"), &error)) << error.toStdString();
    EXPECT_EQ(res.Count(), count) << "the file adds no key";
    const std::pair<const char *, const char *> samples[] = {
        {"2", "Отмена"},
        {"clDSNotExist", "Набор данных \"%s\" не существует"},
        {"2378", "&Файл"},
        {"2478", "Добавить дочерний бэнд"},
        {"clFirstPass", "Первый проход: страница "},
        {"dsRepFilter", "Отчёт (*.ze3)|*.ze3"},
    };
    for (const auto &[key, text] : samples)
        EXPECT_EQ(res.Get(QString::fromLatin1(key)), QString::fromUtf8(text)) << key;
}

} // namespace
