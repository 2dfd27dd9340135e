#include "TfrxDesignerSettings.h"

#include "TfrxRecentFiles.h"
#include "TfrxXMLSerializer.h"
#include "zorTypes.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSettings>

#include <optional>

namespace {

using Settings = TfrxDesignerSettings;

constexpr QLatin1StringView formSection("Form5.TfrxDesignerForm");
constexpr QLatin1StringView inspectorSection("Form5.TfrxObjectInspector");
constexpr QLatin1StringView dockSection("Dock5.TfrxDesignerForm");

// The platform's code of the system window colour (system colours are 0xFF000000 plus their
// index), stored for a colour that follows the system.
constexpr qint32 clWindow = qint32(0xFF000005);
constexpr qint64 maxPlainColor = 0xFFFFFF;

struct Key
{
    QLatin1StringView section;
    QLatin1StringView name;
    QString Path() const { return QString(section) + QLatin1Char('/') + QString(name); }
};

constexpr Key formKey(const char *name)
{
    return {formSection, QLatin1StringView(name)};
}

constexpr Key scaleKey = formKey("Scale");
constexpr Key workspaceColorKey = formKey("WorkspaceColor");
constexpr Key unitsKey = formKey("Units");
constexpr Key localizedKey = formKey("LocalizedOI");
constexpr Key recentKey = formKey("RecentFiles");
constexpr Key watchKey = formKey("WatchList");
constexpr Key geometryKey{dockSection, QLatin1StringView("Geometry")};
constexpr Key stateKey{dockSection, QLatin1StringView("State")};

// ---- Reading values that may come from another machine or a damaged file --------------------

// A value of the store as text. An INI file splits an unquoted value at its commas, so a float
// written with a decimal comma ("0,1") comes back as a list and is joined again.
QString storedText(const QSettings &store, const Key &key)
{
    const QVariant value = store.value(key.Path());
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString().trimmed();
}

std::optional<bool> readBool(const QSettings &store, const Key &key)
{
    const QString text = storedText(store, key).toLower();
    if (text == u"true" || text == u"1")
        return true;
    if (text == u"false" || text == u"0")
        return false;
    return std::nullopt;
}

std::optional<qint64> readInteger(const QSettings &store, const Key &key)
{
    bool ok = false;
    const qint64 value = storedText(store, key).toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// Floats in either decimal form, as templates are read.
std::optional<double> readFloat(const QSettings &store, const Key &key)
{
    double value = 0;
    if (!TfrxXMLSerializer::StrToFloat(storedText(store, key), value))
        return std::nullopt;
    return value;
}

// ---- The values, by kind -----------------------------------------------------------------------

struct BoolValue
{
    Key key;
    bool Settings::*field;
};

struct FloatValue
{
    Key key;
    double Settings::*field;
    Settings::Range range;
};

struct IntValue
{
    Key key;
    int Settings::*field;
    Settings::Range range;
};

struct TextValue
{
    Key key;
    QString Settings::*field;
};

struct ColorValue
{
    Key key;
    QColor Settings::*field;
};

const BoolValue boolValues[] = {
    {formKey("ShowGrid"), &Settings::ShowGrid},
    {formKey("GridAlign"), &Settings::GridAlign},
    {formKey("ShowRulers"), &Settings::ShowRulers},
    {formKey("ShowGuides"), &Settings::ShowGuides},
    {formKey("UseObjectFont"), &Settings::UseObjectFont},
    {formKey("GridLCD"), &Settings::GridLCD},
    {formKey("EditAfterInsert"), &Settings::EditAfterInsert},
    {formKey("FreeBands"), &Settings::FreeBands},
    {formKey("ShowBandCaptions"), &Settings::ShowBandCaptions},
    {formKey("DropFields"), &Settings::DropFields},
    {formKey("ShowStartup"), &Settings::ShowStartup},
    {formKey("Maximized"), &Settings::Maximized},
};

const FloatValue floatValues[] = {
    {scaleKey, &Settings::Scale, Settings::ScaleRange},
    {formKey("Grid1"), &Settings::Grid1, Settings::CmGridRange},
    {formKey("Grid2"), &Settings::Grid2, Settings::InchGridRange},
    {formKey("Grid3"), &Settings::Grid3, Settings::PixelGridRange},
    {formKey("Grid4"), &Settings::Grid4, Settings::PixelGridRange},
};

// A splitter position of 0 means "not stored": the inspector then takes half its width.
const IntValue intValues[] = {
    {formKey("ScriptFontSize"), &Settings::ScriptFontSize, Settings::FontSizeRange},
    {formKey("MemoFontSize"), &Settings::MemoFontSize, Settings::FontSizeRange},
    {formKey("BandsGap"), &Settings::BandsGap, Settings::BandsGapRange},
    {{inspectorSection, QLatin1StringView("SplitPos")}, &Settings::InspectorSplitPos, {0, 10000}},
    {{inspectorSection, QLatin1StringView("Split1Pos")}, &Settings::InspectorSplit1Pos, {10, 10000}},
};

const TextValue textValues[] = {
    {formKey("ScriptFontName"), &Settings::ScriptFontName},
    {formKey("MemoFontName"), &Settings::MemoFontName},
};

const ColorValue colorValues[] = {
    {workspaceColorKey, &Settings::WorkspaceColor},
    {formKey("ToolsColor"), &Settings::ToolsColor},
};

qint32 colorCode(const QColor &color)
{
    if (!color.isValid())
        return clWindow;
    return color.red() | color.green() << 8 | color.blue() << 16;
}

// Plain colours only; system colours and anything else follow the system window colour.
QColor readColor(const QSettings &store, const Key &key)
{
    const std::optional<qint64> code = readInteger(store, key);
    if (!code || *code < 0 || *code > maxPlainColor)
        return {};
    return zor::ToQColor(int(*code));
}

// The recent files as this designer writes them, or as an INI file of older stores already split
// them at their commas.
QStringList readRecentFiles(const QSettings &store)
{
    const QVariant value = store.value(recentKey.Path());
    if (value.typeId() != QMetaType::QStringList)
        return TfrxRecentFiles::Split(value.toString());
    QStringList names;
    for (const QString &name : value.toStringList())
        TfrxRecentFiles::Add(names, name.trimmed());
    return names;
}

QStringList readLines(const QSettings &store, const Key &key)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    return storedText(store, key).split(lineBreak, Qt::SkipEmptyParts);
}

// Window framework data kept as hexadecimal text; anything else gives the built-in layout.
QByteArray readHex(const QSettings &store, const Key &key)
{
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})*$"));
    const QString text = storedText(store, key);
    return hex.match(text).hasMatch() ? QByteArray::fromHex(text.toLatin1()) : QByteArray();
}

void readValues(const QSettings &store, Settings &s)
{
    for (const BoolValue &v : boolValues)
        s.*v.field = readBool(store, v.key).value_or(s.*v.field);
    for (const FloatValue &v : floatValues)
        if (const std::optional<double> value = readFloat(store, v.key); value && v.range.Contains(*value))
            s.*v.field = *value;
    for (const IntValue &v : intValues)
        if (const std::optional<qint64> value = readInteger(store, v.key);
            value && v.range.Contains(double(*value)))
            s.*v.field = int(*value);
    for (const TextValue &v : textValues)
        if (const QString value = storedText(store, v.key); !value.isEmpty())
            s.*v.field = value;
    for (const ColorValue &v : colorValues)
        s.*v.field = readColor(store, v.key);
    if (const std::optional<qint64> units = readInteger(store, unitsKey);
        units && *units >= duCM && *units <= duChars)
        s.Units = TfrxDesignerUnits(*units);
}

} // namespace

TfrxDesignerSettings TfrxDesignerSettings::Defaults()
{
    TfrxDesignerSettings s;
    s.EditAfterInsert = true;
    s.Maximized = true;
    // Half the inspector's width, whatever width its dock gets on this screen, so that the
    // longer property names are not cut.
    s.InspectorSplitPos = 0;
    s.InspectorSplit1Pos = 65;
    return s;
}

TfrxDesignerSettings TfrxDesignerSettings::Read(QSettings &store, bool *usedDefaults)
{
    // The built-in layout for a store the designer never wrote (no scale), one whose workspace
    // colour is 0, and one that cannot be read.
    const bool fallBack = !store.contains(scaleKey.Path()) || readInteger(store, workspaceColorKey) == 0 ||
                          store.status() != QSettings::NoError;
    if (usedDefaults != nullptr)
        *usedDefaults = fallBack;
    if (fallBack)
        return Defaults();
    TfrxDesignerSettings s;
    readValues(store, s);
    s.RecentFiles = readRecentFiles(store);
    s.WatchList = readLines(store, watchKey);
    s.WindowGeometry = readHex(store, geometryKey);
    s.WindowState = readHex(store, stateKey);
    return s;
}

void TfrxDesignerSettings::Write(QSettings &store) const
{
    for (const BoolValue &v : boolValues)
        store.setValue(v.key.Path(), this->*v.field);
    // The shortest text that reads back as the same number, with a decimal point.
    for (const FloatValue &v : floatValues)
        store.setValue(v.key.Path(), QString::number(this->*v.field, 'g', QLocale::FloatingPointShortest));
    for (const IntValue &v : intValues)
        store.setValue(v.key.Path(), this->*v.field);
    for (const TextValue &v : textValues)
        store.setValue(v.key.Path(), this->*v.field);
    for (const ColorValue &v : colorValues)
        store.setValue(v.key.Path(), colorCode(this->*v.field));
    store.setValue(unitsKey.Path(), int(Units));
    store.setValue(localizedKey.Path(), LocalizedOI);
    store.setValue(recentKey.Path(), TfrxRecentFiles::Join(RecentFiles));
    store.setValue(watchKey.Path(), WatchList.join(u'\n'));
    store.setValue(geometryKey.Path(), QString::fromLatin1(WindowGeometry.toHex()));
    store.setValue(stateKey.Path(), QString::fromLatin1(WindowState.toHex()));
}

double TfrxDesignerSettings::GridStep(TfrxDesignerUnits units, bool vertical) const
{
    switch (units) {
    case duCM:
        return Grid1 * zor::fr1cm;
    case duInches:
        return Grid2 * zor::fr1in;
    case duPixels:
        return Grid3;
    case duChars:
        return vertical ? zor::CharHeight : zor::CharWidth;
    }
    return Grid3;
}
