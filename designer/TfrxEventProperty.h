#pragma once

#include "TfrxPropertyEditor.h"

class TfrxScriptCode;

// A script event: the name of the procedure that handles it. The list offers the script's
// procedures whose parameters fit the event; a double click or "..." shows the handler in the
// code tab, creating an empty one named after the object and the event when there is none.
class TfrxEventProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;
    bool Edit() override;

private:
    TfrxScriptCode Code() const;
    QString Params() const;
    // The name a new handler gets: the object's name and the event's ("Memo1OnBeforePrint").
    QString NewHandlerName() const;
};
