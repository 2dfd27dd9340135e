#pragma once

#include "TfsItems.h"

#include <QString>

#include <memory>
#include <vector>

class QObject;
class TfsNativeFunction;
class TfsProcVariable;

// Operators of expressions, in this order; the IL spells them as in OperatorText.
enum TfsOperatorType {
    opNone,
    opGreat,
    opLess,
    opLessEq,
    opGreatEq,
    opNonEq,
    opEq,
    opPlus,
    opMinus,
    opOr,
    opXor,
    opMul,
    opDivFloat,
    opDivInt,
    opMod,
    opAnd,
    opShl,
    opShr,
    opLeftBracket,
    opRightBracket,
    opNot,
    opUnMinus,
    opIn,
    opIs,
    opStrCat, // "+" that joins texts (BasicScript's "&")
};

// One node of a compiled expression. The compiler infers FTyp; Eval computes the value.
class TfsNode
{
public:
    virtual ~TfsNode() = default;
    virtual TfsValue Eval() = 0;
    // The value as a condition; comparisons of integers answer without building a value.
    virtual bool EvalBool() { return Eval().ToBool(); }
    // Evaluating the node calls nothing and reads no host hook, so it cannot change a variable.
    virtual bool Pure() const { return false; }

    TfsVarType FTyp = fvtVariant;
    QString FTypeName;
    QString FSourcePos;
};

using TfsNodePtr = std::unique_ptr<TfsNode>;

class TfsConstNode : public TfsNode
{
public:
    explicit TfsConstNode(TfsValue value);
    TfsValue Eval() override { return FValue; }
    bool Pure() const override { return true; }
    TfsValue FValue;
};

// a + b, a - b and a * b with integers taken first (loops, counters, compound assignments).
TfsValue fsAdd(const TfsValue &a, const TfsValue &b);
TfsValue fsSub(const TfsValue &a, const TfsValue &b);
TfsValue fsMul(const TfsValue &a, const TfsValue &b);

// v := v + e, v := v - e and v := v * e: moves e into operand and answers the operator, leaving
// expression empty; opNone (nothing moved) for any other expression.
TfsOperatorType fsSplitSelfOperation(TfsNodePtr &expression, const TfsCustomVariable *var,
                                     TfsNodePtr &operand);
// Where an operand that is a constant or a plain variable keeps its value, so that hot paths read
// it without a call or a copy.
struct TfsPlainOperand
{
    TfsPlainOperand() = default;
    // Both null when the node is neither a constant nor a plain variable.
    explicit TfsPlainOperand(TfsNode &node);
    // The value where it lies; null for other nodes and for a variable whose value the host supplies.
    // Found once: read hooks are given when a variable is declared, before anything reads it.
    const TfsValue *At() const { return at; }
    const TfsValue *constant = nullptr;
    TfsCustomVariable *variable = nullptr;
    const TfsValue *at = nullptr;
};

// a < b, a <= b, a > b or a >= b with a and b constants or plain variables: the operands and the
// operator, so that a loop can compare integers in place; opNone for any other condition.
TfsOperatorType fsPlainComparison(TfsNode &condition, TfsPlainOperand &left, TfsPlainOperand &right);

// An operator applied to one or two operands.
TfsNodePtr fsMakeOperator(TfsOperatorType op, TfsNodePtr left, TfsNodePtr right);

// A set constructor: entries with null pointers marking ranges (a..b is a, null, b).
class TfsSetNode : public TfsNode
{
public:
    TfsValue Eval() override;
    // The value equals an entry or lies within a range.
    bool Check(const TfsValue &value);
    std::vector<TfsNodePtr> FEntries;
};

// An access path that can also be assigned to: a variable, an element, a call.
class TfsDesignator : public TfsNode
{
public:
    virtual void Assign(const TfsValue &value);
    // The storage of a plain variable, or null.
    virtual TfsValue *Ref() { return nullptr; }
    // The compiler's view: is this a plain variable (for var parameters, for loops)?
    virtual TfsCustomVariable *Variable() const { return nullptr; }
    // Calls set this false when a statement discards the result.
    bool FNeedResult = true;
};

class TfsVariableDesignator : public TfsDesignator
{
public:
    explicit TfsVariableDesignator(TfsCustomVariable *variable);
    TfsValue Eval() override { return FVar->FOnGetVarValue ? FVar->GetValue() : FVar->FValue; }
    void Assign(const TfsValue &value) override { FVar->SetValue(value); }
    TfsValue *Ref() override { return &FVar->FValue; }
    TfsCustomVariable *Variable() const override { return FVar; }
    bool Pure() const override { return !FVar->FOnGetVarValue; }
    TfsCustomVariable *FVar;
};

// A character of a string or an element of an array, 1-based for strings.
class TfsIndexDesignator : public TfsDesignator
{
public:
    TfsValue Eval() override;
    void Assign(const TfsValue &value) override;
    std::unique_ptr<TfsDesignator> FBase;
    std::vector<TfsNodePtr> FIndexes;
    // Set when the base is a variant: an object there is indexed through its default property.
    TfsScript *FScope = nullptr;

private:
    void AssignInto(TfsValue &target, size_t level, const TfsValue &value);
    TfsValue DefaultProperty(const TfsValue &object, const TfsValue *assigned);
};

// A call of a script routine or of a host function with its arguments; var arguments are written
// back after the call.
class TfsCallDesignator : public TfsDesignator
{
public:
    TfsValue Eval() override;
    // Once the arguments are final: those that are constants or plain variables are read in place.
    void Prepare();
    TfsProcVariable *FProc = nullptr;
    TfsNativeFunction *FNative = nullptr;
    std::vector<TfsNodePtr> FArgs;
    std::vector<TfsDesignator *> FVarArgs; // per argument: the designator of a var parameter, or null

private:
    std::vector<const TfsValue *> FArgAt; // per argument: its value where it lies, or null
};

// A class name used as a type cast, TfrxMemoView(Sender): the value itself, seen as of that class.
class TfsCastDesignator : public TfsDesignator
{
public:
    TfsValue Eval() override { return FArg->Eval(); }
    TfsNodePtr FArg;
};

// A member of a host object: a property read or written, or a method called with its arguments. The
// member is looked up by the object's own class when it runs (late binding), so an ancestor's
// members and objects of derived classes work; a class known when compiling is checked against the
// object.
class TfsMemberDesignator : public TfsDesignator
{
public:
    TfsValue Eval() override;
    void Assign(const TfsValue &value) override;
    std::unique_ptr<TfsNode> FBase;
    QString FName;
    std::vector<TfsNodePtr> FArgs;
    std::vector<TfsDesignator *> FVarArgs; // per argument: the designator of a var parameter, or null
    const class TfsClassVariable *FStatic = nullptr;
    TfsScript *FScope = nullptr;

private:
    const struct TfsClassMember &Resolve(QObject *&obj);
    TfsValue IndexedProperty(QObject *obj, const TfsClassMember &member, const TfsValue *assigned);
    const void *FCachedMeta = nullptr;
    const TfsClassMember *FCached = nullptr;
};

// A constructor called on its class, TStringList.Create: a new host object, owned by the script that
// runs it until the script is freed or the object is freed by the script.
class TfsConstructorDesignator : public TfsDesignator
{
public:
    TfsValue Eval() override;
    const struct TfsClassMember *FMember = nullptr;
    std::vector<TfsNodePtr> FArgs;
    TfsScript *FOwner = nullptr;
};

// Runs a script routine with argument values; writes var parameters back through the designators
// (which may be fewer than the arguments).
TfsValue fsCallRoutine(TfsProcVariable &proc, std::span<TfsValue> args,
                       std::span<TfsDesignator *const> varArgs);
