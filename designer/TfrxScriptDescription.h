#pragma once

#include <QList>
#include <QString>

class TfrxReport;
class TfsScript;

// What a script offers to report texts and scripts, as the data tree shows it: the functions by
// category, each with its declaration and the string-table key of its description, and the
// classes with their members, each member as the text that declares it.
struct TfrxScriptDescription
{
    struct Function
    {
        QString Name;
        // The declaration without its first word ("Copy(s: String; from, count: Integer): String").
        QString Declaration;
        QString DescriptionKey;

        // The call skeleton: the name, "(", a comma between every two parameters, ")"; the bare
        // name for a function without parameter list.
        QString InsertionText() const;
    };
    struct Category
    {
        QString Key; // "ctString", ...: its caption's string-table key
        QList<Function> Functions;
    };
    struct Member
    {
        enum Kind { Property, Event, Method };
        Kind MemberKind;
        // "property Left: Extended", "event OnBeforePrint", "function CalcWidth: Extended" ...
        QString Text;
    };
    struct Class
    {
        QString Name;
        QList<Member> Members;
    };

    // In the order the categories were first registered, functions and classes by name.
    QList<Category> Categories;
    QList<Class> Classes;

    static TfrxScriptDescription Of(const TfsScript &script);
    // A script bound to the report as preparation binds it (when a script binding is registered),
    // never compiled.
    static TfrxScriptDescription OfReport(TfrxReport &report);
};
