#pragma once

#include "TfrxView.h"

#include <QPointer>

class TfrxReportPage;

// A placeholder that shows another report page inside this one.
class TfrxSubreport : public TfrxView
{
    Q_OBJECT
    Q_PROPERTY(TfrxReportPage *Page READ Page WRITE SetPage)
    Q_PROPERTY(bool PrintOnParent READ PrintOnParent WRITE SetPrintOnParent)
    Q_CLASSINFO("Default.PrintOnParent", "False")
    Q_MOC_INCLUDE("TfrxReportPage.h")

public:
    explicit TfrxSubreport(QObject *owner = nullptr);
    ~TfrxSubreport() override;
    QString GetDescription() const override;

    TfrxReportPage *Page() const;
    // Links the page back to this placeholder (and unlinks the previous page).
    void SetPage(TfrxReportPage *value);
    bool PrintOnParent() const { return FPrintOnParent; }
    void SetPrintOnParent(bool value) { FPrintOnParent = value; }

protected:
    void DrawContent() override;

private:
    QPointer<TfrxReportPage> FPage;
    bool FPrintOnParent = false;
};
