#include "TfsStatement.h"

#include "TfsRuntimeError.h"
#include "TfsScript.h"

namespace {

// x += e, x -= e, x++ and x-- on two 32-bit integers, the usual counters, without a call.
TfsValue add(const TfsValue &a, const TfsValue &b)
{
    if (a.kind() == TfsValue::Int && b.kind() == TfsValue::Int)
        return TfsValue::FromInt64(int64_t(a.RawInt()) + b.RawInt());
    return fsAdd(a, b);
}

TfsValue sub(const TfsValue &a, const TfsValue &b)
{
    if (a.kind() == TfsValue::Int && b.kind() == TfsValue::Int)
        return TfsValue::FromInt64(int64_t(a.RawInt()) - b.RawInt());
    return fsSub(a, b);
}

// v += e, v -= e and v *= e on integers, computed and stored in place; false when an operand is not
// an integer, the 64-bit result overflows, or for division, which leaves the general path to decide.
bool integerInPlace(TfsOperatorType op, TfsCustomVariable &variable, const TfsValue &current,
                    const TfsValue &operand)
{
    if (current.kind() == TfsValue::Int && operand.kind() == TfsValue::Int && op != opDivFloat) {
        // Two 32-bit operands cannot overflow 64 bits.
        const int64_t x = current.RawInt(), y = operand.RawInt();
        variable.SetInteger(op == opPlus ? x + y : op == opMinus ? x - y : x * y, true);
        return true;
    }
    if (!current.IsIntegral() || !operand.IsIntegral())
        return false;
    const int64_t x = current.ToInt64(), y = operand.ToInt64();
    int64_t r = 0;
    bool overflow = true;
    switch (op) {
    case opPlus:
        overflow = __builtin_add_overflow(x, y, &r);
        break;
    case opMinus:
        overflow = __builtin_sub_overflow(x, y, &r);
        break;
    case opMul:
        overflow = __builtin_mul_overflow(x, y, &r);
        break;
    default:
        break;
    }
    if (overflow)
        return false;
    variable.SetInteger(r, current.kind() == TfsValue::Int && operand.kind() == TfsValue::Int);
    return true;
}

// Runs a list of one statement (a loop's body or step, a branch) without the call of the list's Run,
// remembering the statement so that an error leaving it can be given its position.
class InPlace
{
public:
    void Run(TfsStatementList &list)
    {
        if (list.FItems.size() != 1) {
            list.Run();
            return;
        }
        const TfsScript &program = *list.FProgram;
        if (program.FTerminated || program.FFlags.Pending())
            return;
        FRunning = list.FItems.front().get();
        FRunning->Exec();
        FRunning = nullptr;
    }
    // A statement run directly, between Enter and Leave.
    void Enter(TfsStatement *statement) { FRunning = statement; }
    void Leave() { FRunning = nullptr; }
    // In the handler around the runs: the error as the script sees it, at the statement run directly.
    [[noreturn]] void Rethrow() const { fsRethrowAt(FRunning ? FRunning->FSourcePos : QString()); }

private:
    TfsStatement *FRunning = nullptr;
};

} // namespace

void fsRethrowAt(const QString &pos)
{
    try {
        throw;
    } catch (TfsRuntimeError &e) {
        if (e.Pos().isEmpty())
            e.SetPos(pos);
        throw;
    } catch (const std::bad_alloc &) {
        TfsRuntimeError error = TfsRuntimeError::OutOfMemory();
        error.SetPos(pos);
        throw error;
    } catch (const std::exception &e) {
        TfsRuntimeError error(QString::fromUtf8(e.what()));
        error.SetPos(pos);
        throw error;
    }
}

inline bool TfsLoopStmt::AfterBody(TfsScript &program)
{
    if (program.FFlags.breakCalled || program.FFlags.exitCalled || program.FTerminated)
        return true;
    program.FFlags.continueCalled = false;
    return false;
}

inline void TfsStatement::ReportLine()
{
    FProgram->RunLine(FUnitName, FSourcePos);
}

void TfsStatementList::Run()
{
    TfsScript &program = *FProgram;
    auto statement = FItems.begin();
    try {
        for (; statement != FItems.end(); ++statement) {
            if (program.FTerminated || program.FFlags.Pending())
                break;
            (*statement)->Exec();
        }
    } catch (...) {
        // An error leaving a statement carries the position of the innermost statement it left.
        fsRethrowAt((*statement)->FSourcePos);
    }
}

// v op= e with e a constant or a plain variable: integers are combined and text grows where they are
// stored (building a text in a loop copies nothing); false leaves the general path to decide.
bool TfsAssignmentStmt::CombineInPlace(TfsCustomVariable &variable)
{
    const TfsValue *operand = FOperand.At();
    if (!operand)
        return false;
    TfsValue &stored = variable.FValue;
    if (FModificator == opPlus && stored.kind() == TfsValue::String && operand->kind() == TfsValue::String) {
        stored.AppendText(operand->ToString());
        return true;
    }
    return integerInPlace(FModificator, variable, stored, *operand);
}

void TfsAssignmentStmt::Exec()
{
    ReportLine();
    if (FProgram->FTerminated)
        return;
    if (FModificator == opNone) {
        if (FVar)
            FVar->FVar->SetValue(FExpression->Eval());
        else
            FDesignator->Assign(FExpression->Eval());
        return;
    }
    // A plain variable is read where it is stored, unless the host supplies its value.
    TfsCustomVariable *variable = FVar && !FVar->FVar->FOnGetVarValue ? FVar->FVar : nullptr;
    if (variable && CombineInPlace(*variable))
        return;
    const TfsValue current = variable ? variable->FValue : FDesignator->Eval();
    const TfsValue operand = FExpression->Eval();
    if (variable && integerInPlace(FModificator, *variable, current, operand))
        return;
    TfsValue result;
    switch (FModificator) {
    case opPlus:
        result = add(current, operand);
        break;
    case opMinus:
        result = sub(current, operand);
        break;
    case opMul:
        result = fsMul(current, operand);
        break;
    default:
        result = TfsValue::DivFloat(current, operand);
    }
    if (variable)
        variable->SetValue(result);
    else
        FDesignator->Assign(result);
}

void TfsCallStmt::Exec()
{
    ReportLine();
    if (FProgram->FTerminated)
        return;
    if (FModificator == 0) {
        FDesignator->Eval();
        return;
    }
    Modify(FDesignator->Variable());
}

void TfsCallStmt::Modify(TfsCustomVariable *var)
{
    // x++ and x-- on an integer variable stay in place.
    if (var && !var->FOnGetVarValue) {
        const TfsValue &current = var->FValue;
        int64_t r = 0;
        if (current.IsIntegral() && !__builtin_add_overflow(current.ToInt64(), int64_t(FModificator), &r)) {
            var->SetInteger(r, current.kind() == TfsValue::Int);
            return;
        }
        var->SetValue(add(var->FValue, TfsValue(FModificator)));
        return;
    }
    FDesignator->Assign(fsAdd(FDesignator->Eval(), TfsValue(FModificator)));
}

TfsIfStmt::TfsIfStmt(TfsScript *p) : TfsStatement(p), FThen(p), FElse(p) {}

void TfsIfStmt::Exec()
{
    ReportLine();
    InPlace branch;
    try {
        branch.Run(FCondition->EvalBool() ? FThen : FElse);
    } catch (...) {
        branch.Rethrow();
    }
}

TfsCaseStmt::TfsCaseStmt(TfsScript *p) : TfsStatement(p), FElse(p) {}

void TfsCaseStmt::Exec()
{
    const TfsValue value = FCondition->Eval();
    ReportLine();
    for (Selector &selector : FSelectors) {
        if (selector.set->Check(value)) {
            selector.body->Run();
            return;
        }
    }
    FElse.Run();
}

TfsLoopStmt::TfsLoopStmt(TfsScript *p) : TfsStatement(p), FBody(p) {}

void TfsLoopStmt::Exec()
{
    ReportLine();
    TfsScript &program = *FProgram;
    InPlace body;
    try {
        for (;;) {
            if (FTestFirst && FCondition->EvalBool() == FStopWhen)
                break;
            body.Run(FBody);
            if (AfterBody(program))
                break;
            if (!FTestFirst && FCondition->EvalBool() == FStopWhen)
                break;
        }
    } catch (...) {
        body.Rethrow();
    }
    program.FFlags.breakCalled = false;
}

TfsForStmt::TfsForStmt(TfsScript *p) : TfsStatement(p), FBody(p) {}

// for v := a to b (downto): bounds evaluated once, as 64-bit integers.
void TfsForStmt::Exec()
{
    const int64_t first = FBeginValue->Eval().ToInt64();
    const int64_t last = FEndValue->Eval().ToInt64();
    ReportLine();
    if (FDown ? first < last : last < first)
        return;
    TfsScript &program = *FProgram;
    TfsCustomVariable &variable = *FVariable->Variable();
    const uint64_t count = FDown ? uint64_t(first) - uint64_t(last) : uint64_t(last) - uint64_t(first);
    InPlace body;
    try {
        for (uint64_t k = 0;; ++k) {
            const int64_t value = FDown ? int64_t(uint64_t(first) - k) : int64_t(uint64_t(first) + k);
            variable.SetInteger(value, true);
            body.Run(FBody);
            if (TfsLoopStmt::AfterBody(program) || k == count)
                break;
        }
    } catch (...) {
        body.Rethrow();
    }
    program.FFlags.breakCalled = false;
}

TfsVbForStmt::TfsVbForStmt(TfsScript *p) : TfsStatement(p), FBody(p) {}

// For v = a To b Step s: the counter runs while it has not passed the end.
void TfsVbForStmt::Exec()
{
    TfsValue counter = FBeginValue->Eval();
    const TfsValue last = FEndValue->Eval();
    const TfsValue step = FStep ? FStep->Eval() : TfsValue(1);
    ReportLine();
    const bool up = TfsValue::Compare(step, TfsValue(0)) >= 0;
    TfsScript &program = *FProgram;
    while (up ? TfsValue::Compare(counter, last) <= 0 : TfsValue::Compare(counter, last) >= 0) {
        FVariable->Assign(counter);
        FBody.Run();
        if (TfsLoopStmt::AfterBody(program))
            break;
        counter = counter + step;
    }
    program.FFlags.breakCalled = false;
}

TfsCppForStmt::TfsCppForStmt(TfsScript *p) : TfsStatement(p), FFirstStmt(p), FSecondStmt(p), FBody(p) {}

void TfsCppForStmt::Exec()
{
    ReportLine();
    TfsScript &program = *FProgram;
    FFirstStmt.Run();
    // A counter step (i++, i--) is applied here, without running a statement for it.
    auto *step = FSecondStmt.FItems.size() == 1
                     ? dynamic_cast<TfsCallStmt *>(FSecondStmt.FItems.front().get())
                     : nullptr;
    if (step && step->FModificator == 0)
        step = nullptr;
    TfsCustomVariable *counter = step ? step->FDesignator->Variable() : nullptr;
    // A bound test (i <= n) of two integers held in place is made here.
    TfsPlainOperand left, right;
    const TfsOperatorType test = FExpression ? fsPlainComparison(*FExpression, left, right) : opNone;
    const auto holds = [&] {
        const TfsValue *a = left.At(), *b = right.At();
        if (test == opNone || !a || !b || a->kind() != TfsValue::Int || b->kind() != TfsValue::Int)
            return FExpression->EvalBool();
        const int x = a->RawInt(), y = b->RawInt();
        return test == opLess ? x < y : test == opLessEq ? x <= y : test == opGreat ? x > y : x >= y;
    };
    InPlace inner;
    try {
        for (;;) {
            if (FExpression && !holds())
                break;
            inner.Run(FBody);
            if (TfsLoopStmt::AfterBody(program))
                break;
            if (!step) {
                inner.Run(FSecondStmt);
                continue;
            }
            inner.Enter(step);
            step->ReportLine();
            if (!program.FTerminated)
                step->Modify(counter);
            inner.Leave();
        }
    } catch (...) {
        inner.Rethrow();
    }
    program.FFlags.breakCalled = false;
}

TfsTryStmt::TfsTryStmt(TfsScript *p) : TfsStatement(p), FBody(p), FExceptStmt(p) {}

void TfsTryStmt::Exec()
{
    ReportLine();
    TfsScript &program = *FProgram;
    if (FIsExcept) {
        try {
            FBody.Run();
        } catch (const TfsRuntimeError &e) {
            if (program.FTerminated || !e.Catchable())
                throw;
            FClassNameVar->SetValue(TfsValue(e.ClassName()));
            FMessageVar->SetValue(TfsValue(e.Message()));
            FExceptStmt.Run();
        }
        return;
    }
    // The finally block runs whole: pending jumps wait while it runs and take effect afterwards,
    // unless it makes a jump of its own, which wins (as does an error raised inside it).
    std::exception_ptr error;
    try {
        FBody.Run();
    } catch (...) {
        error = std::current_exception();
    }
    const TfsScript::Flags pending = program.FFlags;
    program.FFlags = {};
    FExceptStmt.Run();
    if (program.FFlags.Pending())
        return;
    program.FFlags = pending;
    if (error)
        std::rethrow_exception(error);
}

void TfsJumpStmt::Exec()
{
    TfsScript::Flags &flags = FProgram->FFlags;
    switch (FKindOfJump) {
    case Break:
        flags.breakCalled = true;
        break;
    case Continue:
        flags.continueCalled = true;
        break;
    case Exit:
        ReportLine();
        flags.exitCalled = true;
        break;
    }
}
