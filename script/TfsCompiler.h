#pragma once

#include "TfsExpression.h"

#include <QHash>
#include <QString>

class TfsProcVariable;
class TfsScript;
class TfsStatementList;
class TfsXMLItem;

// Turns the IL of a program into items, expressions and statements of a script. Errors are thrown as
// TfsError; ErrorPos() is the position of the IL element being built at that moment.
class TfsCompiler
{
public:
    // Expressions nested deeper than this are a compile error rather than a deep native recursion
    // when they are evaluated.
    static constexpr int MaxExpressionDepth = 1000;

    TfsCompiler(TfsScript &program, bool needDeclareVars);

    void Build(const TfsXMLItem &program);
    TfsNodePtr BuildExpression(const TfsXMLItem &expr, TfsScript &scope);
    const QString &ErrorPos() const { return FPos; }
    // The included unit being built when the error happened; empty for the main text.
    const QString &ErrorUnit() const { return FUnit; }

private:
    struct Token;
    class ExpressionParser;
    using Builder = void (TfsCompiler::*)(const TfsXMLItem &, TfsStatementList &, TfsScript &);

    void Enter(const TfsXMLItem &item);
    void DeclareRoutines(const TfsXMLItem &item, TfsScript &scope);
    void DeclareRoutine(const TfsXMLItem &item, TfsScript &scope);
    void DeclareParameters(const TfsXMLItem &parameters, TfsProcVariable &proc);
    void BuildStatements(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope, int from = 0);
    void BuildStatement(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    template <class T> T &Append(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    QString TypeOf(const TfsXMLItem &item) const;
    TfsVarType ResolveType(const QString &typeName, TfsScript &scope) const;
    TfsValue Constant(const TfsXMLItem &expr, TfsScript &scope);

    // statement kinds
    void Var(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Const(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Routine(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Compound(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Uses(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Ignore(const TfsXMLItem &, TfsStatementList &, TfsScript &) {}
    void Assign(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Call(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void If(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Case(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void While(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Repeat(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void For(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void VbFor(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void CppFor(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Try(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Break(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Continue(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Exit(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void Return(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    bool EndsRoutine(const TfsXMLItem &item) const;
    void Delete(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);
    void With(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope);

    // designators
    std::unique_ptr<TfsDesignator> BuildDesignator(const TfsXMLItem &dsgn, TfsScript &scope);
    std::unique_ptr<TfsDesignator> NamedVariable(const QString &name, TfsScript &scope);
    TfsCustomVariable *Lookup(const QString &name, TfsScript &scope);
    std::unique_ptr<TfsDesignator> FirstStep(const TfsXMLItem &node, std::vector<const TfsXMLItem *> &exprs,
                                             const TfsXMLItem &dsgn, TfsScript &scope);
    std::unique_ptr<TfsDesignator> MemberStep(std::unique_ptr<TfsDesignator> base, const TfsXMLItem &node,
                                              std::vector<const TfsXMLItem *> &exprs, TfsScript &scope);
    std::unique_ptr<TfsDesignator> WithStep(const TfsXMLItem &node, std::vector<const TfsXMLItem *> &exprs,
                                            TfsScript &scope);
    std::unique_ptr<TfsDesignator> New(const TfsXMLItem &item, TfsScript &scope);
    std::unique_ptr<TfsDesignator> ConstructorStep(const class TfsClassVariable &cls, const QString &name,
                                                   std::vector<const TfsXMLItem *> &exprs, TfsScript &scope);
    std::unique_ptr<TfsDesignator> IndexStep(std::unique_ptr<TfsDesignator> base,
                                             std::vector<const TfsXMLItem *> &exprs, TfsScript &scope);
    std::unique_ptr<TfsDesignator> DefaultStep(std::unique_ptr<TfsDesignator> base,
                                               std::vector<const TfsXMLItem *> &exprs, TfsScript &scope);
    void MemberArgs(TfsMemberDesignator &member, const struct TfsClassMember &known,
                    std::vector<const TfsXMLItem *> &exprs, TfsScript &scope);
    void BuildCall(class TfsCallDesignator &call, std::vector<const TfsXMLItem *> &args, TfsScript &scope);
    void CheckRoutineArgs(TfsCallDesignator &call, std::vector<const TfsXMLItem *> &exprs);
    void CheckNativeArgs(TfsCallDesignator &call, std::vector<const TfsXMLItem *> &exprs);
    void CheckArgument(std::vector<TfsNodePtr> &args, std::vector<TfsDesignator *> &varArgs, size_t i,
                       TfsVarType type, const QString &typeName, bool isVar);
    QString SourceText(const TfsXMLItem &expr) const;
    void CheckAssignable(TfsVarType target, const QString &targetName, const TfsNode &expression);

    TfsScript &FProgram;
    bool FNeedDeclareVars;
    QString FPos;
    QString FUnit;
    QHash<const TfsXMLItem *, TfsProcVariable *> FRoutines;
    // The hidden variables of the with statements around the statement being built, innermost last.
    std::vector<TfsCustomVariable *> FWith;
    int FWithCount = 0;
    static const QHash<QString, Builder> &Builders();
};
