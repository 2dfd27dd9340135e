#include "TfsStatement.h"

#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <algorithm>
#include <functional>
#include <initializer_list>

namespace {

// v op e for the modificators of assignments (+=, -=, *=, /=).
TfsValue combined(TfsOperatorType op, const TfsValue &current, const TfsValue &operand)
{
    switch (op) {
    case opPlus:
        return fsAdd(current, operand);
    case opMinus:
        return fsSub(current, operand);
    case opMul:
        return fsMul(current, operand);
    default:
        return TfsValue::DivFloat(current, operand);
    }
}

template <class Op> bool integerInPlace(TfsCustomVariable &variable, const TfsValue &operand)
{
    return variable.CombineInPlace<Op>(operand);
}

// Building a text in a loop appends where the text is stored and copies nothing.
bool appendOrAddInPlace(TfsCustomVariable &variable, const TfsValue &operand)
{
    if (integerInPlace<TfsIntegerOp::Add>(variable, operand))
        return true;
    if (variable.FValue.kind() != TfsValue::String || operand.kind() != TfsValue::String)
        return false;
    variable.FValue.AppendText(operand.ToString());
    return true;
}

// Runs a loop's lists (body, step, branch), calling a list of one statement directly and
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
    // A loop's step, or its counter step (x++) when it has one.
    void Step(TfsStatementList &list, TfsCallStmt *) { Run(list); }
    // After the body: true when the loop must end (break, exit, terminate); clears continue.
    static bool Ends(TfsScript &program) { return TfsLoopStmt::AfterBody(program); }
    // In the handler around the runs: the error as the script sees it, at the statement run directly.
    [[noreturn]] void Rethrow() const { fsRethrowAt(FRunning ? FRunning->FSourcePos : QString()); }

private:
    TfsStatement *FRunning = nullptr;
};

// Runs a loop whose lists hold only quiet statements while no line hook listens: nothing the loop
// runs can set a hook, jump or terminate, so no line is reported and the terminate flag (which only
// another thread could set meanwhile) is looked at once every CheckEvery passes.
class QuietRun
{
public:
    static constexpr unsigned CheckEvery = 1024;
    static bool Fits(const TfsScript &program, std::initializer_list<TfsStatementList *> lists)
    {
        return !program.HasRunLineHook() &&
               std::all_of(lists.begin(), lists.end(), [](TfsStatementList *list) { return list->Quiet(); });
    }
    void Run(TfsStatementList &list)
    {
        for (const TfsStatementPtr &statement : list.FItems) {
            FRunning = statement.get();
            FRunning->ExecQuiet();
        }
    }
    void Step(TfsStatementList &list, TfsCallStmt *counter)
    {
        if (!counter) {
            Run(list);
            return;
        }
        FRunning = counter;
        counter->Step();
    }
    bool Ends(const TfsScript &program) { return ++FPasses % CheckEvery == 0 && program.FTerminated; }
    [[noreturn]] void Rethrow() const { fsRethrowAt(FRunning ? FRunning->FSourcePos : QString()); }

private:
    TfsStatement *FRunning = nullptr;
    unsigned FPasses = 0;
};

// Runs loop(runner) with the quiet runner when the lists fit it, else statement by statement; an error
// leaving the loop gets the position of the statement it left.
template <class Loop>
void runLoop(TfsScript &program, std::initializer_list<TfsStatementList *> lists, bool quietTests, Loop loop)
{
    const auto run = [&loop](auto runner) {
        try {
            loop(runner);
        } catch (...) {
            runner.Rethrow();
        }
    };
    if (quietTests && QuietRun::Fits(program, lists))
        run(QuietRun());
    else
        run(InPlace());
    program.FFlags.breakCalled = false;
}

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

bool TfsStatementList::Quiet()
{
    if (FQuietness == Quietness::Unknown)
        FQuietness =
            std::all_of(FItems.begin(), FItems.end(), [](const TfsStatementPtr &s) { return s->Quiet(); })
                ? Quietness::Quiet
                : Quietness::Loud;
    return FQuietness == Quietness::Quiet;
}

void TfsAssignmentStmt::Prepare()
{
    TfsCustomVariable *variable = FVar ? FVar->FVar : nullptr;
    if (!variable || variable->FOnGetVarValue || variable->FIsReadOnly || !FExpression->Pure())
        return;
    switch (FModificator) {
    case opNone:
        FQuiet = true;
        return;
    case opPlus:
        FInPlace = appendOrAddInPlace;
        break;
    case opMinus:
        FInPlace = integerInPlace<TfsIntegerOp::Sub>;
        break;
    case opMul:
        FInPlace = integerInPlace<TfsIntegerOp::Mul>;
        break;
    default:
        return;
    }
    FQuiet = true;
    FOperand = TfsPlainOperand(*FExpression).At();
}

void TfsAssignmentStmt::ExecQuiet()
{
    if (FInPlace)
        ExecInPlace();
    else
        FVar->FVar->SetValue(FExpression->Eval());
}

inline void TfsAssignmentStmt::ExecInPlace()
{
    TfsCustomVariable &variable = *FVar->FVar;
    if (FOperand) {
        if (!FInPlace(variable, *FOperand))
            variable.SetValue(combined(FModificator, variable.FValue, *FOperand));
        return;
    }
    const TfsValue operand = FExpression->Eval();
    if (!FInPlace(variable, operand))
        variable.SetValue(combined(FModificator, variable.FValue, operand));
}

void TfsAssignmentStmt::Exec()
{
    ReportLine();
    if (FProgram->FTerminated)
        return;
    if (FQuiet) {
        TfsAssignmentStmt::ExecQuiet();
        return;
    }
    if (FModificator == opNone) {
        if (FVar)
            FVar->FVar->SetValue(FExpression->Eval());
        else
            FDesignator->Assign(FExpression->Eval());
        return;
    }
    // The target is read before the expression, which may change it.
    const TfsValue current = FDesignator->Eval();
    FDesignator->Assign(combined(FModificator, current, FExpression->Eval()));
}

inline void TfsCallStmt::Modify(TfsCustomVariable *var)
{
    // x++ and x-- on an integer variable stay in place.
    if (!var || var->FOnGetVarValue || !var->CombineInPlace<TfsIntegerOp::Add>(TfsValue(FModificator)))
        ModifyGeneral(var);
}

void TfsCallStmt::Prepare()
{
    TfsCustomVariable *variable = FDesignator->Variable();
    if (FModificator != 0 && variable && !variable->FOnGetVarValue && !variable->FIsReadOnly)
        FCounter = variable;
}

void TfsCallStmt::ModifyGeneral(TfsCustomVariable *var)
{
    const TfsValue step(FModificator);
    if (var && !var->FOnGetVarValue)
        var->SetValue(fsAdd(var->FValue, step));
    else
        FDesignator->Assign(fsAdd(FDesignator->Eval(), step));
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
    Modify(FCounter ? FCounter : FDesignator->Variable());
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
    runLoop(*FProgram, {&FBody}, FCondition->Pure(), [this](auto &body) {
        for (;;) {
            if (FTestFirst && FCondition->EvalBool() == FStopWhen)
                break;
            body.Run(FBody);
            if (body.Ends(*FProgram))
                break;
            if (!FTestFirst && FCondition->EvalBool() == FStopWhen)
                break;
        }
    });
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
    TfsCustomVariable &variable = *FVariable->Variable();
    const uint64_t count = FDown ? uint64_t(first) - uint64_t(last) : uint64_t(last) - uint64_t(first);
    runLoop(*FProgram, {&FBody}, true, [&](auto &body) {
        for (uint64_t k = 0;; ++k) {
            variable.SetInteger(FDown ? int64_t(uint64_t(first) - k) : int64_t(uint64_t(first) + k), true);
            body.Run(FBody);
            if (body.Ends(*FProgram) || k == count)
                break;
        }
    });
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

namespace {

// The bound test of a C-style loop, i <= n, on two integers held in place; other kinds take the
// expression itself.
template <class Compare> struct IntegerTest
{
    const TfsValue &a, &b;
    TfsNode &expression;
    bool operator()() const
    {
        if (a.kind() != TfsValue::Int || b.kind() != TfsValue::Int)
            return expression.EvalBool();
        return Compare()(a.RawInt(), b.RawInt());
    }
};

} // namespace

void TfsCppForStmt::Exec()
{
    ReportLine();
    FFirstStmt.Run();
    // A loop is made for its bound test, when that compares two values held in place.
    TfsPlainOperand left, right;
    const TfsOperatorType test = FExpression ? fsPlainComparison(*FExpression, left, right) : opNone;
    const TfsValue *a = left.At(), *b = right.At();
    if (Counted(left, right, test))
        return;
    if (!a || !b) {
        Loop([this] { return !FExpression || FExpression->EvalBool(); });
        return;
    }
    switch (test) {
    case opLess:
        Loop(IntegerTest<std::less<int>>{*a, *b, *FExpression});
        break;
    case opLessEq:
        Loop(IntegerTest<std::less_equal<int>>{*a, *b, *FExpression});
        break;
    case opGreat:
        Loop(IntegerTest<std::greater<int>>{*a, *b, *FExpression});
        break;
    default:
        Loop(IntegerTest<std::greater_equal<int>>{*a, *b, *FExpression});
        break;
    }
}

TfsCallStmt *TfsCppForStmt::CounterStep()
{
    return FSecondStmt.FItems.size() == 1 && FSecondStmt.FItems.front()->Quiet()
               ? dynamic_cast<TfsCallStmt *>(FSecondStmt.FItems.front().get())
               : nullptr;
}

// for (i = a; i < n; i++) of quiet statements that change neither i nor n, i and n integers: counted
// as a Pascal for loop is, i kept aside and stored for the body to read, and left one step past the
// last value run as the step leaves it. The step's overflow stays with the general loop.
bool TfsCppForStmt::Counted(const TfsPlainOperand &left, const TfsPlainOperand &right, TfsOperatorType test)
{
    TfsCallStmt *step = CounterStep();
    const TfsValue *a = left.At(), *b = right.At();
    if (!step || !a || !b || left.variable != step->Target() || a->kind() != TfsValue::Int ||
        b->kind() != TfsValue::Int || (left.variable->FTyp != fvtInt && left.variable->FTyp != fvtVariant))
        return false;
    const int direction = step->FModificator;
    const int64_t bound = b->RawInt();
    int64_t last = 0;
    if (direction > 0 && (test == opLess || test == opLessEq))
        last = test == opLess ? bound - 1 : bound;
    else if (direction < 0 && (test == opGreat || test == opGreatEq))
        last = test == opGreat ? bound + 1 : bound;
    else
        return false;
    const auto changes = [this](const TfsCustomVariable *v) {
        return std::any_of(FBody.FItems.begin(), FBody.FItems.end(),
                           [v](const TfsStatementPtr &s) { return s->Target() == v; });
    };
    const int64_t past = last + direction;
    if (past < INT32_MIN || past > INT32_MAX || !FExpression->Pure() ||
        !QuietRun::Fits(*FProgram, {&FBody}) || changes(left.variable) ||
        (right.variable && changes(right.variable)))
        return false;
    // Every value the counter takes is a 32-bit integer, which an Integer or a variant stores as it is.
    TfsValue &counter = left.variable->Storage();
    int value = a->RawInt();
    if (direction > 0 ? value > last : value < last)
        return true;
    QuietRun body;
    try {
        for (;; value += direction) {
            counter.AssignInt(value);
            body.Run(FBody);
            if (body.Ends(*FProgram))
                return true;
            if (value == last)
                break;
        }
    } catch (...) {
        body.Rethrow();
    }
    counter.AssignInt(int(past));
    return true;
}

template <class Test> void TfsCppForStmt::Loop(Test holds)
{
    // A counter step (i++) of a quiet loop runs without a dispatch.
    TfsCallStmt *counter = CounterStep();
    runLoop(*FProgram, {&FBody, &FSecondStmt}, !FExpression || FExpression->Pure(), [&](auto &body) {
        while (holds()) {
            body.Run(FBody);
            if (body.Ends(*FProgram))
                break;
            body.Step(FSecondStmt, counter);
        }
    });
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
