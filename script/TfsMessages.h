#pragma once

#include <QString>

#include <functional>

// How scripts talk to the operator: ShowMessage, InputBox, InputQuery and MessageDlg. The window
// library fills the handlers; without one a message goes nowhere, a question is answered with
// cancel and a dialog with mrNone (0), so that a script never waits for a window that cannot open.
struct TfsMessages
{
    std::function<void(const QString &text)> ShowMessage;
    // false when the operator cancelled; value holds the default and receives the answer.
    std::function<bool(const QString &caption, const QString &prompt, QString &value)> InputQuery;
    // The button pressed (an mr... code) for a message of a kind (mt...) with buttons (a set of mb...).
    std::function<int(const QString &text, int kind, int buttons)> MessageDlg;

    static TfsMessages &Instance();
};
