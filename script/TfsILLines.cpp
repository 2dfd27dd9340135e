#include "TfsILLines.h"

#include "TfsXMLItem.h"

void TfsILLines::AddLeaf(const QString &name, const QString &text, const QString &pos)
{
    FLines.push_back({Line::Leaf, name,
                      QStringLiteral(" text=\"") + TfsXMLItem::StrToXML(text) + QStringLiteral("\" pos=\"") + pos + u'"', text});
}

void TfsILLines::AddOpen(const QString &name, const QString &attrs)
{
    FLines.push_back({Line::Open, name, attrs, {}});
}

void TfsILLines::AddClose(const QString &name)
{
    FLines.push_back({Line::Close, name, {}, {}});
}

void TfsILLines::Wrap(int mark, const QString &name, const QString &attrs)
{
    FLines.insert(FLines.begin() + mark, Line{Line::Open, name, attrs, {}});
    AddClose(name);
}

void TfsILLines::Truncate(int mark)
{
    if (mark < Count())
        FLines.erase(FLines.begin() + mark, FLines.end());
}

void TfsILLines::Remove(int index)
{
    FLines.erase(FLines.begin() + index);
}

void TfsILLines::Append(const TfsILLines &other)
{
    FLines.insert(FLines.end(), other.FLines.begin(), other.FLines.end());
}

void TfsILLines::BuildItems(TfsXMLItem &parent) const
{
    std::vector<TfsXMLItem *> open{&parent};
    for (const Line &line : FLines) {
        switch (line.kind) {
        case Line::Open:
            open.push_back(open.back()->Add(line.name, line.attrs));
            break;
        case Line::Leaf:
            open.back()->Add(line.name, line.attrs);
            break;
        case Line::Close:
            if (open.size() > 1)
                open.pop_back();
            break;
        }
    }
}

void TfsILLines::AddItem(const TfsXMLItem &item)
{
    if (item.Count() == 0) {
        FLines.push_back({Line::Leaf, item.Name(), item.Text(), item.Prop(QStringLiteral("text"))});
        return;
    }
    AddOpen(item.Name(), item.Text());
    for (int i = 0; i < item.Count(); ++i)
        AddItem(*item.Item(i));
    AddClose(item.Name());
}
