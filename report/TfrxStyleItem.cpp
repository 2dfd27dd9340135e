#include "TfrxStyleItem.h"

#include "TfrxCollection.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"

#include <QSet>

TfrxStyleItem::TfrxStyleItem(QObject *parent)
    : TfrxCollectionItem(parent), FFont(new TfrxFont(this)), FFrame(new TfrxFrame(this))
{
}

void TfrxStyleItem::SetName(const QString &value)
{
    if (const TfrxCollection *c = Collection()) {
        for (const TfrxCollectionItem *item : c->Items()) {
            const auto *style = qobject_cast<const TfrxStyleItem *>(item);
            if (style != nullptr && style != this && style->FName.compare(value, Qt::CaseInsensitive) == 0)
                throw TfrxError(QStringLiteral("clDupName"), QStringLiteral("Duplicate name"));
        }
    }
    FName = value;
}

void TfrxStyleItem::SetFont(TfrxFont *value)
{
    FFont->Assign(value);
}

void TfrxStyleItem::SetFrame(TfrxFrame *value)
{
    FFrame->Assign(value);
}

void TfrxStyleItem::Assign(const TfrxPersistent *source)
{
    const auto *s = qobject_cast<const TfrxStyleItem *>(source);
    if (s == nullptr || s == this)
        return;
    FName = s->FName;
    FColor = s->FColor;
    FFont->Assign(s->FFont);
    FFrame->Assign(s->FFrame);
}

void TfrxStyleItem::CreateUniqueName()
{
    QSet<QString> used;
    if (const TfrxCollection *c = Collection()) {
        for (const TfrxCollectionItem *item : c->Items()) {
            if (item != this)
                used.insert(item->ItemName().toLower());
        }
    }
    for (qint64 n = 1;; ++n) {
        const QString candidate = QStringLiteral("Style") + QString::number(n);
        if (!used.contains(candidate.toLower()))
            return SetName(candidate);
    }
}
