#include "TfsILLines.h"

#include "TfsXMLItem.h"

namespace {

void appendNumber(QString &text, int n)
{
    char16_t digits[12];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count > 0)
        text += QChar(digits[--count]);
}

void appendPos(QString &text, QLatin1String attribute, TfsILLines::Pos pos)
{
    text += attribute;
    appendNumber(text, pos.line);
    text += u':';
    appendNumber(text, pos.column);
    text += u'"';
}

// The attribute text of a line, as it stands in the tag.
QString attributes(const TfsILLines::Line &line)
{
    if (line.pos.line == 0)
        return line.attrs;
    QString text;
    text.reserve(line.value.size() + 40);
    if (line.kind == TfsILLines::Line::Leaf) {
        text += QLatin1String(" text=\"");
        text += TfsXMLItem::StrToXML(line.value);
        text += u'"';
    }
    appendPos(text, QLatin1String(" pos=\""), line.pos);
    if (line.end.line != 0)
        appendPos(text, QLatin1String(" pos1=\""), line.end);
    return text;
}

} // namespace

void TfsILLines::AddLeaf(const QString &name, const QString &text, Pos pos)
{
    FLines.push_back({Line::Leaf, name, text, pos, {}, {}});
}

void TfsILLines::AddOpen(const QString &name, Pos pos, Pos end)
{
    FLines.push_back({Line::Open, name, {}, pos, end, {}});
}

void TfsILLines::AddOpen(const QString &name, const QString &attrs)
{
    FLines.push_back({Line::Open, name, {}, {}, {}, attrs});
}

void TfsILLines::AddClose(const QString &name)
{
    FLines.push_back({Line::Close, name, {}, {}, {}, {}});
}

void TfsILLines::Wrap(int mark, const QString &name, Pos pos, Pos end)
{
    FLines.insert(FLines.begin() + mark, Line{Line::Open, name, {}, pos, end, {}});
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

void TfsILLines::BuildItems(TfsXMLItem &parent) const
{
    std::vector<TfsXMLItem *> open{&parent};
    for (const Line &line : FLines) {
        switch (line.kind) {
        case Line::Open:
            open.push_back(open.back()->Add(line.name, attributes(line)));
            break;
        case Line::Leaf:
            open.back()->Add(line.name, attributes(line));
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
        FLines.push_back({Line::Leaf, item.Name(), item.Prop(QStringLiteral("text")), {}, {}, item.Text()});
        return;
    }
    AddOpen(item.Name(), item.Text());
    for (int i = 0; i < item.Count(); ++i)
        AddItem(*item.Item(i));
    AddClose(item.Name());
}
