#pragma once

#include "TfrxMemoView.h"

// The text object that the designer offers for system texts (page numbers, dates, totals).
class TfrxSysMemoView : public TfrxMemoView
{
    Q_OBJECT

public:
    explicit TfrxSysMemoView(QObject *owner = nullptr);

    QString GetDescription() const override;
};
