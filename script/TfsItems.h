#pragma once

#include "TfsValue.h"

#include <QString>

#include <functional>
#include <memory>
#include <span>
#include <vector>

class TfsScript;
class TfsStatementList;

// Declared types, in this order.
enum TfsVarType {
    fvtInt,
    fvtBool,
    fvtFloat,
    fvtChar,
    fvtString,
    fvtClass,
    fvtArray,
    fvtVariant,
    fvtEnum,
    fvtConstructor,
    fvtInt64,
};

// The full type name used in messages ("Integer", "Extended", ...).
QString fsTypeName(TfsVarType type, const QString &typeName = {});
// Two types fit (first: the target or parameter); assignment also refuses a float into an integer.
bool fsTypesCompatible(TfsVarType first, TfsVarType second, bool assignment);

// Host hook consulted when a variable is read: it may set value; a value left null means the stored one.
using TfsGetVarValueEvent =
    std::function<void(const QString &name, TfsVarType type, TfsValue &value, const TfsValue &stored)>;

// A named symbol of a script: variables, parameters, constants, routines and type names.
class TfsCustomVariable
{
public:
    enum ItemKind { ikVariable, ikParam, ikType, ikProc, ikNative };

    TfsCustomVariable(ItemKind kind, const QString &name, TfsVarType type, const QString &typeName = {})
        : FKind(kind), FName(name), FTyp(type), FTypeName(typeName)
    {
    }
    virtual ~TfsCustomVariable() = default;

    ItemKind Kind() const { return FKind; }
    bool IsVariable() const { return FKind == ikVariable || FKind == ikParam; }

    // Stores the value converted to the declared type; read-only items ignore it. A value already
    // of the declared kind is stored without a call.
    void SetValue(const TfsValue &value)
    {
        if (!FIsReadOnly && (FTyp == fvtVariant || NativeKind(FTyp) == value.kind()))
            FValue = value;
        else
            Convert(value);
    }
    // The same with the value moved in: a call's arguments become its parameters without a copy.
    void SetValue(TfsValue &&value)
    {
        if (!FIsReadOnly && (FTyp == fvtVariant || NativeKind(FTyp) == value.kind()))
            FValue = std::move(value);
        else
            Convert(value);
    }
    // Stores the integer result of an operation as SetValue would store its value: 32 bits when it
    // fits and narrow is set (both operands were 32-bit), else 64 bits, then the declared type.
    void SetInteger(int64_t value, bool narrow)
    {
        if (!FIsReadOnly) {
            if (FTyp == fvtInt64 || (FTyp == fvtVariant && !narrow)) {
                FValue.AssignInt64(value);
                return;
            }
            if ((FTyp == fvtInt || FTyp == fvtVariant) && value >= INT32_MIN && value <= INT32_MAX) {
                FValue.AssignInt(int(value));
                return;
            }
        }
        SetValue(narrow ? TfsValue::FromInt64(value) : TfsValue(value));
    }
    // v := v op operand on integers where v is stored, as SetInteger would store the result; false,
    // with v unchanged, when the result needs another kind or v is read-only.
    template <class Op> bool CombineInPlace(const TfsValue &operand)
    {
        return !FIsReadOnly && KeepsKind(FValue.kind()) && FValue.CombineIntegerInPlace<Op>(operand);
    }
    // The stored value, or what the read hook supplies.
    TfsValue GetValue() const;
    // The stored value itself, for in-place writes of array elements and string characters.
    TfsValue &Storage() { return FValue; }

    ItemKind FKind;
    QString FName;

private:
    static TfsValue::Kind NativeKind(TfsVarType type)
    {
        // Types without a kind of their own always convert (no value has kind "none").
        constexpr auto none = TfsValue::Kind(0xFF);
        constexpr TfsValue::Kind kinds[] = {
            TfsValue::Int, TfsValue::Bool, TfsValue::Double, none, TfsValue::String, none, none, none,
            none,          none,           TfsValue::Int64};
        return kinds[type];
    }
    void Convert(const TfsValue &value);
    // An integer of this kind is what the declared type stores: a 32-bit one by Integer, a 64-bit one
    // by Int64, either by the types that keep what they are given (variant, enumeration, class).
    bool KeepsKind(TfsValue::Kind kind) const
    {
        constexpr auto bit = [](TfsVarType t) { return 1u << t; };
        constexpr unsigned either =
            bit(fvtVariant) | bit(fvtEnum) | bit(fvtClass) | bit(fvtArray) | bit(fvtConstructor);
        const unsigned keeps = kind == TfsValue::Int ? either | bit(fvtInt) : either | bit(fvtInt64);
        return (keeps >> FTyp) & 1;
    }

public:
    TfsVarType FTyp;
    QString FTypeName;
    TfsValue FValue = TfsValue::MakeNull();
    bool FIsReadOnly = false;
    TfsGetVarValueEvent FOnGetVarValue;
    bool FFromSource = false; // declared by the compiled text, not registered by the host
    QString FSourcePos;
};

// A formal parameter.
class TfsParamItem : public TfsCustomVariable
{
public:
    TfsParamItem(const QString &name, TfsVarType type, const QString &typeName)
        : TfsCustomVariable(ikParam, name, type, typeName)
    {
    }
    bool FIsVarParam = false;
    bool FIsOptional = false;
    TfsValue FDefValue;
};

// A routine written in the script: its own scope, its parameters and, for a function, "Result".
class TfsProcVariable : public TfsCustomVariable
{
public:
    TfsProcVariable(const QString &name, TfsScript *parent);
    ~TfsProcVariable() override;

    std::unique_ptr<TfsScript> FProgram;
    std::vector<TfsParamItem *> FParams;
    TfsCustomVariable *FResult = nullptr; // functions only
    bool FIsFunc = false;
    int FDepth = 0; // calls of this routine now running
};

// A routine the host registers: it receives the argument values (var arguments can be written).
using TfsNativeCall = std::function<TfsValue(std::span<TfsValue> args)>;

// A formal parameter of a host routine, read from its declaration text.
struct TfsNativeParam
{
    QString name;
    TfsVarType type = fvtVariant;
    QString typeName;
    bool isVar = false;
    bool isOptional = false;
    TfsValue defValue;
};

class TfsNativeFunction : public TfsCustomVariable
{
public:
    TfsNativeFunction(const QString &name, TfsVarType resultType, int minArgs, int maxArgs,
                      TfsNativeCall call)
        : TfsCustomVariable(ikNative, name, resultType), FMinArgs(minArgs), FMaxArgs(maxArgs),
          FCall(std::move(call))
    {
        FIsReadOnly = true;
    }
    int FMinArgs;
    int FMaxArgs;
    TfsNativeCall FCall;
    // Set when the routine was registered by its declaration text: the parameters drive the
    // compile-time checks, defaults fill missing arguments and var parameters are written back.
    bool FHasSyntax = false;
    std::vector<TfsNativeParam> FParams;
    // A macro receives the source text of each argument instead of its value.
    bool FIsMacro = false;
    QString FSyntax;
    QString FCategory;
    QString FDescription;
};
