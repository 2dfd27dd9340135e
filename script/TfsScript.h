#pragma once

#include "TfsItems.h"
#include "TfsValue.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QObject;
class TfsStatementList;
class TfsXMLItem;

// A script program: a symbol table, the source, the compiled statement tree and the run flags. Every
// routine is itself a TfsScript (its local scope) whose parent is the declaring script.
class TfsScript
{
public:
    explicit TfsScript(TfsScript *parent = nullptr);
    ~TfsScript();
    TfsScript(const TfsScript &) = delete;
    TfsScript &operator=(const TfsScript &) = delete;

    // Source and language ("PascalScript" by default).
    void SetLines(const QString &text) { FLines = text; }
    const QString &Lines() const { return FLines; }
    void SetSyntaxType(const QString &language) { FSyntaxType = language; }
    const QString &SyntaxType() const { return FSyntaxType; }
    // Included units: folders searched ("" stands for BaseFolder) and the host's supplier of unit text.
    QStringList IncludePath{QString()};
    QString BaseFolder;
    std::function<void(const QString &unitName, QString &text)> OnGetUnit;

    // Characters 128-255 may appear in names (Cyrillic names in report scripts).
    void SetExtendedCharset(bool on) { FExtendedCharset = on; }
    TfsScript *Parent() const { return FParent; }
    void SetParent(TfsScript *parent) { FParent = parent; }

    // Compiles the source; false with ErrorMsg and ErrorPos ("line:column") set.
    bool Compile();
    // Compiles from IL written by GetILCode.
    bool SetILCode(QIODevice &stream);
    // The IL of the source; false with the compile error set.
    bool GetILCode(QIODevice &stream);
    // Runs the main statements; run-time errors leave as TfsRuntimeError with their position.
    void Execute();
    bool Run();
    // Stops this script and every routine declared in it at the next statement.
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // The value of one expression in the scope of the routine running now (or the program); a text that
    // does not compile gives the compile message and sets EvaluateRiseError.
    TfsValue Evaluate(const QString &expression);
    bool EvaluateRiseError() const { return FEvaluteRiseError; }
    // Calls a script routine with the elements of params (an array, or a single value); null when the
    // name is not a routine. CallFunction1 writes var parameters back into params.
    TfsValue CallFunction(const QString &name, const TfsValue &params, bool global = false);
    TfsValue CallFunction1(const QString &name, TfsValue &params, bool global = false);
    // Runs a routine bound to a host event; an event fired while that routine runs is ignored (null).
    TfsValue CallEvent(const QString &name, const TfsValue &params);

    // The source of a function of the language that returns the expression's value.
    static QString FunctionSource(const QString &language, const QString &name, const QString &expression);
    // The text is one whole expression of the language; otherwise false with the message in error.
    static bool IsWholeExpression(const QString &language, const QString &text, QString &error,
                                  bool extendedCharset = true);

    // Items.
    TfsCustomVariable *Find(const QString &name) const;
    TfsCustomVariable *FindLocal(const QString &name) const;
    TfsValue Variable(const QString &name) const;
    void SetVariable(const QString &name, const TfsValue &value);
    // A host variable or constant; a name already visible keeps its item (returned unchanged).
    TfsCustomVariable *AddVariable(const QString &name, const QString &typeName, const TfsValue &value);
    TfsCustomVariable *AddConst(const QString &name, const QString &typeName, const TfsValue &value);
    TfsNativeFunction *AddMethod(const QString &name, TfsNativeCall call, int minArgs, int maxArgs,
                                 const QString &resultType = QStringLiteral("Variant"));
    // A host routine registered by its declaration text ("function Twice(X: Integer): Integer");
    // null when the text is not a declaration.
    TfsNativeFunction *AddMethod(const QString &syntax, TfsNativeCall call, const QString &category,
                                 const QString &description = {});
    // The standard library (types, constants, functions); root scripts load it when created.
    void AddRTTI();
    // A host class by its name, the name of its ancestor's class item and its property table (none
    // for a name-only class); null when a class of that name is already registered.
    class TfsClassVariable *AddClass(const QString &name, const QString &ancestor,
                                     const struct QMetaObject *meta);
    // A variable of the object's class whose value is a reference to the object.
    TfsCustomVariable *AddObject(const QString &name, class QObject *object);
    // An enumeration type and one constant per comma-separated name, valued 0, 1, 2 ...; a set
    // type's constants are valued 1, 2, 4 ...
    void AddEnum(const QString &typeName, const QString &names);
    void AddEnumSet(const QString &typeName, const QString &names);
    // Takes ownership; the newest item of a name hides older ones.
    TfsCustomVariable *Add(std::unique_ptr<TfsCustomVariable> item);
    // Variables and parameters of this scope, in declaration order.
    const std::vector<TfsCustomVariable *> &Locals() const { return FLocals; }
    // Every item of this scope, oldest first, also those that a newer item of the same name hides
    // (Find gives the visible one): what hosts walk to show the functions and classes on offer.
    const std::vector<std::unique_ptr<TfsCustomVariable>> &Items() const { return FItemStore; }
    // A type name to its declared type: the script's aliases, then registered type items and the
    // built-in names; false for an unknown name.
    bool ResolveType(const QString &name, TfsVarType &type) const;

    // Host objects that the script made (constructors): freed with the script, or earlier by Free.
    void AdoptObject(class QObject *object);
    // Frees an object the script made; false (nothing freed) for any other object.
    bool FreeObject(class QObject *object);

    // Lines that hold statements, per unit (empty: the main text).
    void AddCodeLine(const QString &unit, const QString &pos);
    bool IsExecutableLine(int line, const QString &unit = {}) const;

    // Called before each statement with the unit and "line:column"; the nearest script up the parent
    // chain that has one is used.
    std::function<void(TfsScript &script, const QString &unit, const QString &pos)> OnRunLine;
    // Given to every variable the source declares (the nearest hook up the parent chain).
    TfsGetVarValueEvent OnGetVarValue;
    const TfsGetVarValueEvent *GetVarValueHook() const;

    // Changes each time the items of the text are rebuilt: whatever resolved names against the old ones
    // must be built again.
    int Generation() const { return FGeneration; }

    const QString &ErrorMsg() const { return FErrorMsg; }
    const QString &ErrorPos() const { return FErrorPos; }
    const QString &ErrorUnit() const { return FErrorUnit; }

    // Run state, shared with the statements and routines of this scope.
    struct Flags
    {
        bool breakCalled = false;
        bool continueCalled = false;
        bool exitCalled = false;
        bool Pending() const { return breakCalled || continueCalled || exitCalled; }
    };
    Flags FFlags;
    bool FTerminated = false;
    bool FMainProg = true;
    TfsScript *FProgRunning = nullptr; // main programs: scope of the routine running now
    void RunLine(const QString &unit, const QString &pos)
    {
        // Called before every statement: the usual case, no hook, stays inline.
        for (TfsScript *s = this; s; s = s->FParent)
            if (s->OnRunLine)
                return CallRunLine(*s, unit, pos);
    }
    // Some script up the parent chain has an OnRunLine hook.
    bool HasRunLineHook() const
    {
        for (const TfsScript *s = this; s; s = s->FParent)
            if (s->OnRunLine)
                return true;
        return false;
    }
    // The program whose routine this scope is (itself for a program). Inline: every call asks.
    TfsScript *MainProg()
    {
        TfsScript *s = this;
        while (!s->FMainProg && s->FParent)
            s = s->FParent;
        return s;
    }
    TfsStatementList &Statements() { return *FStatement; }
    QHash<QString, QString> FTypeAliases; // lower-cased alias to type name, from the language
    std::vector<TfsScript *> FRoutineScripts;

private:
    void CallRunLine(TfsScript &owner, const QString &unit, const QString &pos);
    bool Build(const TfsXMLItem &program);
    void PrepareContext(struct TfsILContext &context) const;
    std::unique_ptr<class TfsILParser> LanguageParser(struct TfsILContext &context);
    TfsValue Call(const QString &name, TfsValue &params, bool global, bool writeBack);

    TfsScript *FParent;
    QString FLines;
    QString FSyntaxType = QStringLiteral("PascalScript");
    std::vector<std::unique_ptr<TfsCustomVariable>> FItemStore;
    QHash<QString, TfsCustomVariable *> FItems; // case-folded name to the newest item
    std::vector<TfsCustomVariable *> FLocals;
    std::unique_ptr<TfsStatementList> FStatement;
    std::vector<std::unique_ptr<QObject>> FOwnedObjects;
    QHash<QString, QSet<int>> FUnitLines;
    QString FErrorMsg, FErrorPos, FErrorUnit;
    bool FEvaluteRiseError = false;
    bool FIsRunning = false;
    bool FCompiling = false;
    bool FExtendedCharset = false;
    bool FRTTIAdded = false;
    int FGeneration = 0;
};
