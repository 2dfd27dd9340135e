#include "TfrxIdentProperty.h"

#include <QKeySequence>

#include <limits>

namespace {

// The platform's charset numbers; text is Unicode, so a charset only guides font matching.
constexpr TfrxIdent charsets[] = {
    {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

// The platform's cursor numbers and the report's own (hand, zoom, format), which the preview
// maps to Qt's cursor shapes.
constexpr TfrxIdent cursors[] = {
    {"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},    {"crCross", -3},     {"crIBeam", -4},
    {"crSizeNESW", -6},   {"crSizeNS", -7},   {"crSizeNWSE", -8}, {"crSizeWE", -9},    {"crUpArrow", -10},
    {"crHourGlass", -11}, {"crDrag", -12},    {"crNoDrop", -13},  {"crHSplit", -14},   {"crVSplit", -15},
    {"crMultiDrag", -16}, {"crSQLWait", -17}, {"crNo", -18},      {"crAppStart", -19}, {"crHelp", -20},
    {"crHandPoint", -21}, {"crSizeAll", -22}, {"crHand", 1},      {"crZoom", 2},       {"crFormat", 3},
};

constexpr TfrxIdent modalResults[] = {
    {"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrAbort", 3},   {"mrRetry", 4},     {"mrIgnore", 5},
    {"mrYes", 6},  {"mrNo", 7}, {"mrAll", 8},    {"mrNoToAll", 9}, {"mrYesToAll", 10},
};

// Shortcuts offered in the list; any other that Qt can name is taken as typed.
constexpr const char *listedShortCuts[] = {
    "Ctrl+A", "Ctrl+B", "Ctrl+C", "Ctrl+D",    "Ctrl+E",   "Ctrl+F",    "Ctrl+N", "Ctrl+O",
    "Ctrl+P", "Ctrl+S", "Ctrl+V", "Ctrl+X",    "Ctrl+Z",   "F1",        "F2",     "F3",
    "F4",     "F5",     "F6",     "F7",        "F8",       "F9",        "F10",    "F11",
    "F12",    "Ins",    "Del",    "Shift+Del", "Ctrl+Ins", "Shift+Ins",
};

QString NoShortCut()
{
    return QStringLiteral("(None)");
}

} // namespace

TfrxPropertyAttributes TfrxIdentProperty::GetAttributes() const
{
    return paValueList | paMultiSelect;
}

QString TfrxIdentProperty::NumberText(int value) const
{
    return QString::number(value);
}

QString TfrxIdentProperty::GetValue() const
{
    const int value = GetOrdValue();
    for (const TfrxIdent &ident : Idents()) {
        if (ident.Value == value)
            return QLatin1StringView(ident.Name);
    }
    return NumberText(value);
}

void TfrxIdentProperty::GetValues()
{
    Values.clear();
    for (const TfrxIdent &ident : Idents())
        Values.append(QLatin1StringView(ident.Name));
}

void TfrxIdentProperty::SetValue(const QString &value)
{
    const QString text = value.trimmed();
    for (const TfrxIdent &ident : Idents()) {
        if (text.compare(QLatin1StringView(ident.Name), Qt::CaseInsensitive) == 0) {
            SetOrdValue(ident.Value);
            return;
        }
    }
    // A number in decimal, or in hexadecimal after "$" as colours are often written.
    bool ok = false;
    const qint64 number =
        text.startsWith(QLatin1Char('$')) ? text.mid(1).toLongLong(&ok, 16) : text.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<unsigned>::max())
        RaiseInvalid();
    SetOrdValue(int(quint32(number)));
}

std::span<const TfrxIdent> TfrxFontCharsetProperty::Idents() const
{
    return charsets;
}

std::span<const TfrxIdent> TfrxCursorProperty::Idents() const
{
    return cursors;
}

std::span<const TfrxIdent> TfrxModalResultProperty::Idents() const
{
    return modalResults;
}

TfrxPropertyAttributes TfrxShortCutProperty::GetAttributes() const
{
    return paValueList | paMultiSelect;
}

QString TfrxShortCutProperty::GetValue() const
{
    const int value = GetOrdValue();
    return value == 0 ? NoShortCut() : QKeySequence(value).toString(QKeySequence::PortableText);
}

void TfrxShortCutProperty::GetValues()
{
    Values = {NoShortCut()};
    for (const char *shortCut : listedShortCuts)
        Values.append(QLatin1StringView(shortCut));
}

void TfrxShortCutProperty::SetValue(const QString &value)
{
    const QString text = value.trimmed();
    if (text.isEmpty() || text == NoShortCut()) {
        SetOrdValue(0);
        return;
    }
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        RaiseInvalid();
    SetOrdValue(sequence[0].toCombined());
}
