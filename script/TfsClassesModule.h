#pragma once

class TfsScript;

// The platform classes every script knows: the classes, graphics, forms, dialogs and settings-file
// modules by name with their ancestors, TObject's Free, and the string lists (TStrings, TStringList
// with its constructor). Scripts get no file access through them.
class TfsClassesModule
{
public:
    static void Register(TfsScript &script);
};
