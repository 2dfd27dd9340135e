#pragma once

class TfsScript;

// What every script of a report knows about the report library: unit and colour constants, the
// enumerations and sets of the object model, and the report classes with their properties (walked
// from the classes' property tables) and the methods added by hand.
class TfrxReportModule
{
public:
    static void Register(TfsScript &script);
};
