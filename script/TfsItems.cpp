#include "TfsItems.h"

#include "TfsScript.h"

QString fsTypeName(TfsVarType type, const QString &typeName)
{
    static const char *const names[] = {"Integer", "Boolean", "Extended", "Char",    "String", "",
                                        "Array",   "Variant", "",         "Variant", "Int64"};
    if (type == fvtClass || type == fvtEnum)
        return typeName;
    return QString::fromLatin1(names[type]);
}

// Compatibility by the first type: the second types each accepts, as a bit set.
bool fsTypesCompatible(TfsVarType first, TfsVarType second, bool assignment)
{
    constexpr auto bit = [](TfsVarType t) { return 1u << t; };
    const unsigned numbers = bit(fvtInt) | bit(fvtFloat) | bit(fvtVariant) | bit(fvtEnum) | bit(fvtInt64);
    const unsigned accepts[] = {
        numbers,                                                       // fvtInt
        bit(fvtBool) | bit(fvtVariant),                                // fvtBool
        bit(fvtInt) | bit(fvtFloat) | bit(fvtVariant) | bit(fvtInt64), // fvtFloat
        bit(fvtChar) | bit(fvtString) | bit(fvtVariant),               // fvtChar
        bit(fvtChar) | bit(fvtString) | bit(fvtVariant),               // fvtString
        bit(fvtClass) | bit(fvtVariant),                               // fvtClass
        bit(fvtArray) | bit(fvtVariant),                               // fvtArray
        ~0u,                                                           // fvtVariant
        bit(fvtInt) | bit(fvtVariant) | bit(fvtInt64) | bit(fvtEnum),  // fvtEnum
        bit(fvtVariant),                                               // fvtConstructor
        numbers,                                                       // fvtInt64
    };
    if (assignment && (first == fvtInt || first == fvtInt64) && second == fvtFloat)
        return false;
    return (accepts[first] & bit(second)) != 0;
}

void TfsCustomVariable::Convert(const TfsValue &value)
{
    if (FIsReadOnly)
        return;
    switch (FTyp) {
    case fvtInt:
        FValue = value.kind() == TfsValue::Int ? value : TfsValue(value.ToInt());
        break;
    case fvtInt64:
        FValue = TfsValue(value.ToInt64());
        break;
    case fvtBool:
        FValue = TfsValue(value.ToBool());
        break;
    case fvtFloat:
        // Currency and date-time keep their kind: they are floating-point types of the script.
        if (value.kind() == TfsValue::Double || value.kind() == TfsValue::Currency ||
            value.kind() == TfsValue::DateTime)
            FValue = value;
        else
            FValue = TfsValue(value.ToDouble());
        break;
    case fvtChar:
    case fvtString:
        FValue = value.kind() == TfsValue::String ? value : TfsValue(value.ToString());
        break;
    default:
        FValue = value;
    }
}

TfsValue TfsCustomVariable::GetValue() const
{
    if (!FOnGetVarValue)
        return FValue;
    TfsValue value = TfsValue::MakeNull();
    FOnGetVarValue(FName, FTyp, value, FValue);
    return value.IsNull() ? FValue : value;
}

TfsProcVariable::TfsProcVariable(const QString &name, TfsScript *parent)
    : TfsCustomVariable(ikProc, name, fvtVariant), FProgram(std::make_unique<TfsScript>(parent))
{
    FIsReadOnly = true;
    FProgram->FMainProg = false;
}

TfsProcVariable::~TfsProcVariable() = default;
