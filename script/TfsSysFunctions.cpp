#include "TfsSysFunctions.h"

#include "TfsScript.h"
#include "fsFunctions_p.h"

namespace {

struct ConstEntry
{
    const char16_t *name;
    int value;
};

// The value-kind codes of VarType and VarArrayCreate.
constexpr ConstEntry kVarKinds[] = {
    {u"varEmpty", 0},       {u"varNull", 1},       {u"varSmallint", 2},  {u"varInteger", 3},
    {u"varSingle", 4},      {u"varDouble", 5},     {u"varCurrency", 6},  {u"varDate", 7},
    {u"varOleStr", 8},      {u"varDispatch", 9},   {u"varError", 10},    {u"varBoolean", 11},
    {u"varVariant", 12},    {u"varUnknown", 13},   {u"varShortInt", 16}, {u"varByte", 17},
    {u"varWord", 18},       {u"varLongWord", 19},  {u"varInt64", 20},    {u"varStrArg", 72},
    {u"varString", 256},    {u"varAny", 257},      {u"varTypeMask", 4095}, {u"varArray", 8192},
    {u"varByRef", 16384},
};

// Kinds and buttons of MessageDlg, and the answers it gives.
constexpr ConstEntry kDialogConsts[] = {
    {u"mtWarning", 0},  {u"mtError", 1},    {u"mtInformation", 2}, {u"mtConfirmation", 3},
    {u"mtCustom", 4},   {u"mbYes", 1},      {u"mbNo", 2},          {u"mbOK", 4},
    {u"mbCancel", 8},   {u"mbAbort", 16},   {u"mbRetry", 32},      {u"mbIgnore", 64},
    {u"mbAll", 128},    {u"mbNoToAll", 256}, {u"mbYesToAll", 512}, {u"mbHelp", 1024},
    {u"mrNone", 0},     {u"mrOk", 1},       {u"mrCancel", 2},      {u"mrAbort", 3},
    {u"mrRetry", 4},    {u"mrIgnore", 5},   {u"mrYes", 6},         {u"mrNo", 7},
    {u"mrAll", 8},      {u"mrNoToAll", 9},  {u"mrYesToAll", 10},
};

} // namespace

void TfsSysFunctions::Register(TfsScript &script)
{
    for (const ConstEntry &c : kVarKinds)
        script.AddConst(QString::fromUtf16(c.name), QStringLiteral("Integer"), TfsValue(c.value));
    for (const ConstEntry &c : kDialogConsts)
        script.AddConst(QString::fromUtf16(c.name), QStringLiteral("Integer"), TfsValue(c.value));
    script.AddVariable(QStringLiteral("ExceptionClassName"), QStringLiteral("String"), TfsValue(QString()));
    script.AddVariable(QStringLiteral("ExceptionMessage"), QStringLiteral("String"), TfsValue(QString()));
    for (const auto tables : {fsConvFunctions, fsFormatFunctions, fsDateFunctions, fsStringFunctions,
                              fsMathFunctions, fsOtherFunctions})
        for (const TfsFunctionEntry &f : tables())
            script.AddMethod(QString::fromUtf16(f.syntax), f.call, QString::fromUtf16(f.category));
}
