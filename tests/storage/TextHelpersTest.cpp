#include "zorXML.h"
#include "zorCodePage.h"

#include <QDate>
#include <QLocale>
#include <QVariant>

#include <gtest/gtest.h>

namespace {

struct EscapeCase
{
    const char *name;
    QString value;
    QString escaped;
};

QString withNul(const char16_t *before, const char16_t *after)
{
    return QString::fromUtf16(before) + QChar(0) + QString::fromUtf16(after);
}

const QString kLong = QStringLiteral("0123456789012345678901234567890123456789"); // 40 characters

class StrToXML : public testing::TestWithParam<EscapeCase>
{
};

TEST_P(StrToXML, Escapes)
{
    EXPECT_EQ(zorStrToXML(GetParam().value), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToXML,
    testing::Values(
        EscapeCase{"Empty", QString(), QString()},
        EscapeCase{"Plain", QStringLiteral("Memo1"), QStringLiteral("Memo1")},
        EscapeCase{"Cyrillic", QStringLiteral("Водитель"), QStringLiteral("Водитель")},
        EscapeCase{"LessThan", QStringLiteral("a<b"), QStringLiteral("a&#60;b")},
        EscapeCase{"GreaterThan", QStringLiteral("a>b"), QStringLiteral("a&#62;b")},
        EscapeCase{"Quote", QStringLiteral("say \"hi\""), QStringLiteral("say &#34;hi&#34;")},
        EscapeCase{"LineBreaks", QStringLiteral("1\r\n2"), QStringLiteral("1&#13;&#10;2")},
        EscapeCase{"ShortNul", withNul(u"a", u"b"), QStringLiteral("a&#0;b")},
        // a short value keeps a bare ampersand ...
        EscapeCase{"ShortBareAmpersand", QStringLiteral("R&D"), QStringLiteral("R&D")},
        EscapeCase{"ShortTrailingAmpersand", QStringLiteral("A&"), QStringLiteral("A&")},
        EscapeCase{"ShortAmpersandNotNamed", QStringLiteral("&g x"), QStringLiteral("&g x")},
        // ... unless it would be read back as a reference (a literal "&quot;" used to turn into a
        // double quote after a save and a load)
        EscapeCase{"ShortLiteralQuot", QStringLiteral("&quot;"), QStringLiteral("&#38;quot;")},
        EscapeCase{"ShortLiteralAmp", QStringLiteral("&amp;"), QStringLiteral("&#38;amp;")},
        EscapeCase{"ShortLiteralLt", QStringLiteral("&lt;"), QStringLiteral("&#38;lt;")},
        EscapeCase{"ShortLiteralGt", QStringLiteral("&gt;"), QStringLiteral("&#38;gt;")},
        EscapeCase{"ShortLiteralNumeric", QStringLiteral("&#65;"), QStringLiteral("&#38;#65;")},
        EscapeCase{"ShortHash", QStringLiteral("&#"), QStringLiteral("&#38;#")},
        // 32 characters and more: every ampersand is escaped, NUL becomes a space
        EscapeCase{"LongAmpersand", kLong + QStringLiteral("R&D"), kLong + QStringLiteral("R&#38;D")},
        EscapeCase{"LongLiteralQuot", kLong + QStringLiteral("&quot;"), kLong + QStringLiteral("&#38;quot;")},
        EscapeCase{"LongNul", kLong + withNul(u"a", u"b"), kLong + QStringLiteral("a b")},
        EscapeCase{"LongMixed", kLong + QStringLiteral("<\">\n"), kLong + QStringLiteral("&#60;&#34;&#62;&#10;")},
        EscapeCase{"Exactly32", QString(31, u'x') + u'&', QString(31, u'x') + QStringLiteral("&#38;")}),
    [](const testing::TestParamInfo<EscapeCase> &row) { return std::string(row.param.name); });

class XMLToStr : public testing::TestWithParam<EscapeCase>
{
};

TEST_P(XMLToStr, Unescapes)
{
    EXPECT_EQ(zorXMLToStr(GetParam().escaped), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XMLToStr,
    testing::Values(
        EscapeCase{"Plain", QStringLiteral("abc"), QStringLiteral("abc")},
        EscapeCase{"Named", QStringLiteral("\"<>&"), QStringLiteral("&quot;&lt;&gt;&amp;")},
        EscapeCase{"Numeric", QStringLiteral("AД"), QStringLiteral("&#65;&#1044;")},
        EscapeCase{"LeadingZeros", QStringLiteral("A"), QStringLiteral("&#0065;")},
        EscapeCase{"BeyondBmp", QString::fromUcs4(U"\U0001F600"), QStringLiteral("&#128512;")},
        EscapeCase{"Nul", withNul(u"", u""), QStringLiteral("&#0;")},
        // a produced ampersand never starts a new reference
        EscapeCase{"AmpThenLt", QStringLiteral("&lt;"), QStringLiteral("&amp;lt;")},
        EscapeCase{"EscapedTwice", QStringLiteral("&#34;"), QStringLiteral("&#38;#34;")},
        EscapeCase{"UnknownNamed", QStringLiteral("&apos;"), QStringLiteral("&apos;")},
        EscapeCase{"TrailingAmpersand", QStringLiteral("a&"), QStringLiteral("a&")},
        // malformed numeric references stay as they are
        EscapeCase{"HashOnly", QStringLiteral("&#"), QStringLiteral("&#")},
        EscapeCase{"NoSemicolon", QStringLiteral("&#65 and more"), QStringLiteral("&#65 and more")},
        EscapeCase{"NoSemicolonAtEnd", QStringLiteral("x&#123"), QStringLiteral("x&#123")},
        EscapeCase{"NoDigits", QStringLiteral("&#;x"), QStringLiteral("&#;x")},
        EscapeCase{"Hex", QStringLiteral("&#x41;"), QStringLiteral("&#x41;")},
        EscapeCase{"Negative", QStringLiteral("&#-5;"), QStringLiteral("&#-5;")},
        EscapeCase{"Surrogate", QStringLiteral("&#55296;"), QStringLiteral("&#55296;")},
        EscapeCase{"BeyondUnicode", QStringLiteral("&#1114112;"), QStringLiteral("&#1114112;")},
        EscapeCase{"Huge", QStringLiteral("&#99999999999999999999;"), QStringLiteral("&#99999999999999999999;")},
        EscapeCase{"MalformedThenValid", QStringLiteral("&#z;A"), QStringLiteral("&#z;&#65;")}),
    [](const testing::TestParamInfo<EscapeCase> &row) { return std::string(row.param.name); });

TEST(EscapeRoundTrip, EveryValueComesBack)
{
    const QString pieces[] = {QStringLiteral("&"),     QStringLiteral("&quot;"), QStringLiteral("&amp;"),
                              QStringLiteral("&#65;"), QStringLiteral("&#"),     QStringLiteral("\""),
                              QStringLiteral("<"),     QStringLiteral(">"),      QStringLiteral("\r\n"),
                              QStringLiteral("R&D"),   QStringLiteral("Ж"),      QStringLiteral("&lt")};
    for (const QString &a : pieces)
        for (const QString &b : pieces)
            for (const QString &pad : {QString(), kLong}) {
                const QString value = a + pad + b;
                EXPECT_EQ(zorXMLToStr(zorStrToXML(value)), value) << value.toStdString();
            }
}

class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale &locale) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(FSaved); }

private:
    QLocale FSaved;
};

TEST(FloatToStr, GeneralFormatWithLocaleSeparator)
{
    const LocaleGuard russian{QLocale(QLocale::Russian, QLocale::Russia)};
    EXPECT_EQ(zorFloatToStr(439.65337), QStringLiteral("439,65337"));
    EXPECT_EQ(zorFloatToStr(1000.0), QStringLiteral("1000"));
    EXPECT_EQ(zorFloatToStr(0.0), QStringLiteral("0"));
    EXPECT_EQ(zorFloatToStr(-0.5), QStringLiteral("-0,5"));
    EXPECT_EQ(zorFloatToStr(0.00001), QStringLiteral("1e-05"));
    EXPECT_EQ(zorFloatToStr(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(zorFloatToStr(1e15), QStringLiteral("1e+15"));
    const LocaleGuard c{QLocale::c()};
    EXPECT_EQ(zorFloatToStr(338.1107), QStringLiteral("338.1107"));
}

TEST(ValueToXML, EachKind)
{
    const LocaleGuard russian{QLocale(QLocale::Russian, QLocale::Russia)};
    EXPECT_EQ(zorValueToXML(QVariant(42)), QStringLiteral("42"));
    EXPECT_EQ(zorValueToXML(QVariant::fromValue<quint8>(200)), QStringLiteral("200"));
    EXPECT_EQ(zorValueToXML(QVariant::fromValue<qint16>(-7)), QStringLiteral("-7"));
    // 64-bit integers keep their value rather than vanishing
    EXPECT_EQ(zorValueToXML(QVariant(qint64(1) << 40)), QStringLiteral("1099511627776"));
    EXPECT_EQ(zorValueToXML(QVariant(2.5)), QStringLiteral("2,5"));
    EXPECT_EQ(zorValueToXML(QVariant(true)), QStringLiteral("1"));
    EXPECT_EQ(zorValueToXML(QVariant(false)), QStringLiteral("0"));
    EXPECT_EQ(zorValueToXML(QVariant(QStringLiteral("a<b"))), QStringLiteral("a&#60;b"));
    const QDate date(2026, 3, 9);
    EXPECT_EQ(zorValueToXML(QVariant(date)), QLocale().toString(date, QLocale::ShortFormat));
    EXPECT_EQ(zorValueToXML(QVariant()), QString());
    EXPECT_EQ(zorValueToXML(QVariant(QStringList{QStringLiteral("x")})), QString());
}

} // namespace

TEST(CodePage, KeepsCyrillicAndEveryByteAndNamesWhatItCannotHold)
{
    const QString russian = QStringLiteral("Свидетельство №5 «Ёлка» – €");
    EXPECT_EQ(zorFromSingleByte(zorToSingleByte(russian)), russian);
    EXPECT_EQ(zorToSingleByte(QStringLiteral("Ж")), QByteArray("\xC6"));
    EXPECT_TRUE(zorUnrepresentable(russian).isEmpty());

    const QString foreign = QStringLiteral("José Muñoz é 😀");
    EXPECT_EQ(zorUnrepresentable(foreign), QStringLiteral("éñ😀"));
    // Each unrepresentable character, however many UTF-16 units it takes, becomes one substitute.
    EXPECT_EQ(zorToSingleByte(foreign), QByteArray("Jos? Mu?oz ? ?"));
    // 0x98 is the one byte that Windows-1251 leaves undefined: it survives a read and a write.
    const QByteArray undefined("a\x98z");
    EXPECT_EQ(zorToSingleByte(zorFromSingleByte(undefined)), undefined);
}
