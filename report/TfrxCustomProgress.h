#pragma once

class QString;

// The progress window of a long operation (preparation, export, printing): a message line and a
// way to cancel. The window lives in a window library; the report knows it through this interface.
class TfrxCustomProgress
{
public:
    virtual ~TfrxCustomProgress() = default;

    virtual void SetMessage(const QString &text) = 0;
    // Whether the operator asked the operation to stop.
    virtual bool Cancelled() const = 0;
};
