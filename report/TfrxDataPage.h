#pragma once

#include "TfrxPage.h"

// The page that holds the report's non-visual data components.
class TfrxDataPage : public TfrxPage
{
    Q_OBJECT
    Q_PROPERTY(double Height READ Height WRITE SetHeight)
    Q_PROPERTY(double Left READ Left WRITE SetLeft)
    Q_PROPERTY(double Top READ Top WRITE SetTop)
    Q_PROPERTY(double Width READ Width WRITE SetWidth)

public:
    explicit TfrxDataPage(QObject *owner = nullptr);
    QString GetDescription() const override;
};
