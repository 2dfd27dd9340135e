#pragma once

class TfsScript;

// The standard library every script sees: type names, constants, the exception variables and the
// built-in functions by category ("ctString", "ctDate", "ctConv", "ctFormat", "ctMath", "ctOther").
class TfsSysFunctions
{
public:
    static void Register(TfsScript &script);
};
