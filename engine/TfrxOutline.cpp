#include "TfrxOutline.h"

#include "TfrxXMLItem.h"

void TfrxOutline::SetRoot(TfrxXMLItem *root)
{
    FRoot = root;
    FCurItem = root;
}

void TfrxOutline::AddItem(const QString &text, int page, int top)
{
    if (FCurItem == nullptr)
        return;
    TfrxXMLItem *item = FCurItem->Add(QStringLiteral("item"));
    item->SetProp(QStringLiteral("text"), text);
    item->SetProp(QStringLiteral("page"), QString::number(page));
    item->SetProp(QStringLiteral("top"), QString::number(top));
    FCurItem = item;
}

void TfrxOutline::LevelUp()
{
    if (FCurItem != nullptr && FCurItem != FRoot)
        FCurItem = FCurItem->Parent();
}

void TfrxOutline::LevelRoot()
{
    FCurItem = FRoot;
}

void TfrxOutline::LevelDown(int index)
{
    if (FCurItem != nullptr && index >= 0 && index < FCurItem->Count())
        FCurItem = FCurItem->Items(index);
}

int TfrxOutline::Count() const
{
    return FCurItem != nullptr ? FCurItem->Count() : 0;
}

void TfrxOutline::GetItem(int index, QString &text, int &page, int &top) const
{
    text.clear();
    page = top = 0;
    if (FCurItem == nullptr || index < 0 || index >= FCurItem->Count())
        return;
    const TfrxXMLItem *item = FCurItem->Items(index);
    text = item->Prop(QStringLiteral("text"));
    page = item->Prop(QStringLiteral("page")).toInt();
    top = item->Prop(QStringLiteral("top")).toInt();
}

int TfrxOutline::GetCurPosition() const
{
    return FCurItem != nullptr ? FCurItem->Count() - 1 : -1;
}

namespace {

void ShiftItem(TfrxXMLItem *item, int delta)
{
    item->SetProp(QStringLiteral("page"), QString::number(item->Prop(QStringLiteral("page")).toInt() + 1));
    item->SetProp(QStringLiteral("top"), QString::number(item->Prop(QStringLiteral("top")).toInt() + delta));
    for (int i = 0; i < item->Count(); ++i)
        ShiftItem(item->Items(i), delta);
}

}  // namespace

void TfrxOutline::ShiftItems(int from, int newTop)
{
    ShiftItems(FCurItem, from, newTop);
}

void TfrxOutline::ShiftItems(TfrxXMLItem *parent, int from, int newTop)
{
    if (parent == nullptr || from + 1 >= parent->Count())
        return;
    const int delta = newTop - parent->Items(from + 1)->Prop(QStringLiteral("top")).toInt();
    for (int i = from + 1; i < parent->Count(); ++i)
        ShiftItem(parent->Items(i), delta);
}
