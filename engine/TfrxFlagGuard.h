#pragma once

// Sets a flag for the length of a scope and puts its old value back however the scope ends.
class TfrxFlagGuard
{
public:
    TfrxFlagGuard(bool &flag, bool value) : FFlag(flag), FSaved(flag) { flag = value; }
    ~TfrxFlagGuard() { FFlag = FSaved; }
    TfrxFlagGuard(const TfrxFlagGuard &) = delete;
    TfrxFlagGuard &operator=(const TfrxFlagGuard &) = delete;

private:
    bool &FFlag;
    bool FSaved;
};
