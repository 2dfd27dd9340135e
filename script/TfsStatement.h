#pragma once

#include "TfsExpression.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class TfsScript;
class TfsSetNode;

// A statement of a script: it reports its line, then runs. The flags of break, continue and exit
// live in FProgram, the scope of the routine (or program) the statement belongs to.
class TfsStatement
{
public:
    explicit TfsStatement(TfsScript *program) : FProgram(program) {}
    virtual ~TfsStatement() = default;

    TfsScript *FProgram;
    QString FSourcePos;
    QString FUnitName;

    // Runs the statement; whoever runs it gives a run-time error leaving it its position.
    virtual void Exec() = 0;
    // A quiet statement changes one plain variable and calls nothing, so it cannot set a line hook,
    // terminate the script or jump: a loop made of such statements runs them by ExecQuiet, which
    // reports no line and skips the terminate check.
    virtual bool Quiet() const { return false; }
    virtual void ExecQuiet() { Exec(); }
    // The plain variable a quiet statement changes.
    virtual const TfsCustomVariable *Target() const { return nullptr; }
    // Tells the nearest OnRunLine hook that this statement's line runs now.
    void ReportLine();
};

using TfsStatementPtr = std::unique_ptr<TfsStatement>;

// Rethrows the error leaving a statement as a script error, with the statement's position pos unless an
// inner statement gave its own: a host's error (a report object refusing a value) keeps its text, and a
// failed allocation is "Out of memory". Called in a handler.
[[noreturn]] void fsRethrowAt(const QString &pos);

// Statements run in order until a jump is pending or the script is terminated.
class TfsStatementList
{
public:
    explicit TfsStatementList(TfsScript *program) : FProgram(program) {}
    void Run();
    bool Empty() const { return FItems.empty(); }
    // Every statement is quiet (so is an empty list); found at the first question, as the list is
    // complete by the time it runs.
    bool Quiet();
    TfsScript *FProgram;
    std::vector<TfsStatementPtr> FItems;

private:
    enum class Quietness : uint8_t { Unknown, Quiet, Loud };
    Quietness FQuietness = Quietness::Unknown;
};

class TfsAssignmentStmt : public TfsStatement
{
public:
    using TfsStatement::TfsStatement;
    std::unique_ptr<TfsDesignator> FDesignator;
    TfsNodePtr FExpression;
    TfsOperatorType FModificator = opNone; // x += e and the like
    TfsVariableDesignator *FVar = nullptr; // fast target: a plain variable
    // Chooses, once the statement is built, whether v op= e runs in place: v a plain variable the
    // host does not supply, and e unable to change v while it is evaluated. Such a statement is quiet.
    void Prepare();
    bool Quiet() const override { return FQuiet; }
    void ExecQuiet() override;
    const TfsCustomVariable *Target() const override { return FQuiet ? FVar->FVar : nullptr; }

protected:
    void Exec() override;

private:
    // Integers combined and texts appended where v is stored; false leaves the general path to decide.
    using InPlaceFn = bool (*)(TfsCustomVariable &variable, const TfsValue &operand);
    void ExecInPlace();
    InPlaceFn FInPlace = nullptr;
    const TfsValue *FOperand = nullptr; // e where it lies, when it is a constant or a plain variable
    bool FQuiet = false;
};

class TfsCallStmt : public TfsStatement
{
public:
    using TfsStatement::TfsStatement;
    std::unique_ptr<TfsDesignator> FDesignator;
    int FModificator = 0; // +1 for x++, -1 for x--
    // Once the statement is built: x++ and x-- on a plain variable the host does not supply are quiet.
    void Prepare();
    bool Quiet() const override { return FCounter; }
    void ExecQuiet() override { Step(); }
    const TfsCustomVariable *Target() const override { return FCounter; }
    // x++ or x-- when quiet, where the counter is stored; a loop's step calls it without dispatch.
    void Step()
    {
        if (!FCounter->CombineInPlace<TfsIntegerOp::Add>(TfsValue(FModificator)))
            ModifyGeneral(FCounter);
    }

protected:
    void Exec() override;

private:
    // x++ or x-- once the line is reported; variable is the designator's plain variable, or null.
    void Modify(TfsCustomVariable *variable);
    void ModifyGeneral(TfsCustomVariable *variable);
    TfsCustomVariable *FCounter = nullptr; // set when quiet
};

class TfsIfStmt : public TfsStatement
{
public:
    explicit TfsIfStmt(TfsScript *p);
    TfsNodePtr FCondition;
    TfsStatementList FThen, FElse;

protected:
    void Exec() override;
};

class TfsCaseStmt : public TfsStatement
{
public:
    explicit TfsCaseStmt(TfsScript *p);
    struct Selector
    {
        std::unique_ptr<TfsSetNode> set;
        std::unique_ptr<TfsStatementList> body;
    };
    TfsNodePtr FCondition;
    std::vector<Selector> FSelectors;
    TfsStatementList FElse;

protected:
    void Exec() override;
};

// while and the three repeat forms (until, do-while, Loop While).
class TfsLoopStmt : public TfsStatement
{
public:
    explicit TfsLoopStmt(TfsScript *p);
    TfsNodePtr FCondition;
    TfsStatementList FBody;
    bool FTestFirst = true; // while
    bool FStopWhen = false; // the condition value that ends the loop
    // After the body: true when the loop must end (break, exit, terminate); clears continue.
    static bool AfterBody(TfsScript &program);

protected:
    void Exec() override;
};

class TfsForStmt : public TfsStatement
{
public:
    explicit TfsForStmt(TfsScript *p);
    std::unique_ptr<TfsDesignator> FVariable;
    TfsNodePtr FBeginValue, FEndValue;
    bool FDown = false;
    TfsStatementList FBody;

protected:
    void Exec() override;
};

class TfsVbForStmt : public TfsStatement
{
public:
    explicit TfsVbForStmt(TfsScript *p);
    std::unique_ptr<TfsDesignator> FVariable;
    TfsNodePtr FBeginValue, FEndValue, FStep;
    TfsStatementList FBody;

protected:
    void Exec() override;
};

class TfsCppForStmt : public TfsStatement
{
public:
    explicit TfsCppForStmt(TfsScript *p);
    TfsStatementList FFirstStmt, FSecondStmt, FBody;
    TfsNodePtr FExpression;

protected:
    void Exec() override;

private:
    // The loop, with holds() as its bound test.
    template <class Test> void Loop(Test holds);
    // The loop run as a counted one when it can be; false when it cannot.
    bool Counted(const TfsPlainOperand &left, const TfsPlainOperand &right, TfsOperatorType test);
    // A single quiet x++ or x-- step, or null.
    TfsCallStmt *CounterStep();
};

class TfsTryStmt : public TfsStatement
{
public:
    explicit TfsTryStmt(TfsScript *p);
    TfsStatementList FBody, FExceptStmt;
    bool FIsExcept = true;
    TfsCustomVariable *FClassNameVar = nullptr; // "ExceptionClassName"
    TfsCustomVariable *FMessageVar = nullptr;   // "ExceptionMessage"

protected:
    void Exec() override;
};

// break, continue, exit.
class TfsJumpStmt : public TfsStatement
{
public:
    enum Kind { Break, Continue, Exit };
    TfsJumpStmt(TfsScript *p, Kind kind) : TfsStatement(p), FKindOfJump(kind) {}
    Kind FKindOfJump;

protected:
    void Exec() override;
};
