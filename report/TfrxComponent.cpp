#include "TfrxComponent.h"

#include "TfrxDataSet.h"
#include "TfrxDialogPage.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxNameIndex.h"
#include "TfrxPage.h"
#include "TfrxProperties.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxView.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace zor;

namespace {

TfrxReport *ReportOf(const TfrxComponent *c)
{
    for (; c != nullptr; c = c->Parent()) {
        if (auto *r = qobject_cast<TfrxReport *>(const_cast<TfrxComponent *>(c)))
            return r;
    }
    return nullptr;
}

void AppendDescendants(const TfrxComponent *c, QList<TfrxComponent *> &out)
{
    for (TfrxComponent *child : c->Objects()) {
        out.append(child);
        AppendDescendants(child, out);
    }
}

bool IsDescendant(const TfrxComponent *c, const TfrxComponent *ancestor)
{
    for (c = c->Parent(); c != nullptr; c = c->Parent()) {
        if (c == ancestor)
            return true;
    }
    return false;
}

TfrxComponent *FindDescendant(const TfrxComponent *c, const QString &name)
{
    for (TfrxComponent *child : c->Objects()) {
        if (child->Name().compare(name, Qt::CaseInsensitive) == 0)
            return child;
        if (TfrxComponent *found = FindDescendant(child, name))
            return found;
    }
    return nullptr;
}

}  // namespace

TfrxComponent::TfrxComponent(QObject *owner) : TfrxPersistent(nullptr), FFont(new TfrxFont(this))
{
    auto *parent = qobject_cast<TfrxComponent *>(owner);
    // The report that contains a report-object owner owns the new object for its lifetime.
    QObject *lifetimeOwner = owner;
    if (parent != nullptr) {
        if (TfrxReport *report = ReportOf(parent))
            lifetimeOwner = report;
    }
    QObject::setParent(lifetimeOwner);
    FFont->SetOnChange([this] { FontChanged(); });
    if (parent != nullptr)
        SetParent(parent);
}

TfrxComponent::~TfrxComponent()
{
    SetParent(nullptr);
    Clear();
    // Children inherited from a parent template survive Clear; they go with their parent.
    while (!FObjects.isEmpty())
        delete FObjects.constLast();
    FFont->SetOnChange(nullptr);
}

void TfrxComponent::SetName(const QString &value)
{
    if (value.compare(FName, Qt::CaseInsensitive) == 0)
        return;
    if (!value.isEmpty() && !IsValidName(value))
        throw TfrxError(QStringLiteral("prInvName"), QStringLiteral("\"%1\" is not a valid object name").arg(value));
    // The template reader keeps names unique itself and renames what it reads twice.
    TfrxReport *report = ReportOf(FParent);
    if (!value.isEmpty() && !FIsLoading && report != nullptr && report->NameIndex().TakenByOther(value, this))
        throw TfrxError(QStringLiteral("prDupl"), QStringLiteral("Duplicate name"));
    if (FAncestor)
        throw TfrxError(QStringLiteral("clCantRen"),
                        QStringLiteral("Could not rename %1, it was introduced in the ancestor report").arg(FName));
    if (report != nullptr)
        report->NameIndex().Rename(this, FName, value);
    FName = value;
}

QString TfrxComponent::BaseName() const
{
    if (!FBaseName.isEmpty())
        return FBaseName;
    QString name = QString::fromLatin1(metaObject()->className());
    if (const qsizetype i = name.indexOf(QLatin1String("Tfrx")); i >= 0)
        name.remove(i, 4);
    if (const qsizetype i = name.indexOf(QLatin1String("View")); i >= 0)
        name.remove(i, 4);
    return name;
}

QString TfrxComponent::GetDescription() const
{
    return QString::fromLatin1(metaObject()->className());
}

void TfrxComponent::CreateUniqueName()
{
    if (TfrxReport *report = ReportOf(FParent))
        return SetName(report->NameIndex().UniqueName(BaseName(), this));
    // Outside a report: the names of the parent's whole tree.
    const TfrxComponent *root = FParent;
    while (root != nullptr && root->Parent() != nullptr)
        root = root->Parent();
    QSet<QString> names;
    if (root != nullptr) {
        for (TfrxComponent *c : root->GetAllObjects()) {
            if (c != this)
                names.insert(c->Name().toLower());
        }
    }
    const QString base = BaseName();
    for (qint64 n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!names.contains(candidate.toLower()))
            return SetName(candidate);
    }
}

void TfrxComponent::SetParent(TfrxComponent *value)
{
    if (value == FParent)
        return;
    for (const TfrxComponent *p = value; p != nullptr; p = p->Parent()) {
        if (p == this)
            throw TfrxError(QStringLiteral("clCirRef"),
                            QStringLiteral("An object cannot be placed inside itself or its own children"));
    }
    TfrxReport *from = ReportOf(FParent);
    TfrxReport *to = ReportOf(value);
    if (from != to && from != nullptr)
        from->NameIndex().RemoveTree(this);
    if (FParent != nullptr)
        FParent->RemoveChild(this);
    FParent = value;
    if (FParent != nullptr) {
        FParent->FObjects.append(this);
        SetParentFont(FParentFont);
    }
    if (from != to && to != nullptr)
        to->NameIndex().AddTree(this);
}

void TfrxComponent::RemoveChild(TfrxComponent *child)
{
    FObjects.removeOne(child);
}

QList<TfrxComponent *> TfrxComponent::GetAllObjects() const
{
    QList<TfrxComponent *> out;
    AppendDescendants(this, out);
    return out;
}

TfrxComponent *TfrxComponent::FindObject(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    const TfrxReport *report = GetReport();
    if (report == nullptr)
        return FindDescendant(this, name);
    const TfrxNameIndex::Bearers bearers = report->NameIndex().Find(name);
    if (bearers.size() > 1) // only the tree knows which comes first
        return FindDescendant(this, name);
    if (bearers.isEmpty() || (this != report && !IsDescendant(bearers.front(), this)))
        return nullptr;
    return bearers.front();
}

TfrxReport *TfrxComponent::GetReport() const
{
    return ReportOf(this);
}

TfrxPage *TfrxComponent::GetPage() const
{
    for (const TfrxComponent *c = this; c != nullptr; c = c->Parent()) {
        if (auto *p = qobject_cast<TfrxPage *>(const_cast<TfrxComponent *>(c)))
            return p;
    }
    return nullptr;
}

void TfrxComponent::Clear()
{
    qsizetype i = 0;
    while (i < FObjects.size()) {
        TfrxComponent *child = FObjects.at(i);
        if (child->Ancestor()) {
            child->Clear();
            ++i;
        } else {
            delete child;  // leaves the list by itself
        }
    }
}

void TfrxComponent::MoveToIndex(TfrxComponent *child, qsizetype index)
{
    const qsizetype from = FObjects.indexOf(child);
    if (from < 0)
        return;
    FObjects.move(from, std::clamp<qsizetype>(index, 0, FObjects.size() - 1));
}

void TfrxComponent::DesignCreate(int)
{
    FIsDesigning = true;
}

void TfrxComponent::SetLeft(double value)
{
    if (!(FIsDesigning && FRestrictions.testFlag(rfDontMove)))
        FLeft = value;
}

void TfrxComponent::SetTop(double value)
{
    if (!(FIsDesigning && FRestrictions.testFlag(rfDontMove)))
        FTop = value;
}

void TfrxComponent::SetWidth(double value)
{
    if (!(FIsDesigning && FRestrictions.testFlag(rfDontSize)))
        FWidth = value;
}

void TfrxComponent::SetHeight(double value)
{
    if (!(FIsDesigning && FRestrictions.testFlag(rfDontSize)))
        FHeight = value;
}

void TfrxComponent::SetBounds(double left, double top, double width, double height)
{
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

double TfrxComponent::AbsLeft() const
{
    if (FParent == nullptr || qobject_cast<const TfrxDialogPage *>(FParent) != nullptr)
        return FLeft;
    return FLeft + FParent->AbsLeft();
}

double TfrxComponent::AbsTop() const
{
    if (FParent == nullptr || qobject_cast<const TfrxDialogPage *>(FParent) != nullptr)
        return FTop;
    return FTop + FParent->AbsTop();
}

namespace {

// The sort key of a view for alignment: "1" and the left edge for views at or right of the
// origin, "0" and its absolute value for views left of it, in a field of 9 with 2 decimals.
QString AlignKey(double left)
{
    return (left >= 0 ? QStringLiteral("1") : QStringLiteral("0"))
        + QStringLiteral("%1").arg(std::fabs(left), 9, 'f', 2);
}

bool OverlapVertically(const TfrxView *a, const TfrxView *b)
{
    const double aTop = a->AbsTop(), aBottom = aTop + a->Height();
    const double bTop = b->AbsTop(), bBottom = bTop + b->Height();
    return !(aTop >= bBottom - 0.0001 || bTop >= aBottom - 0.0001);
}

}  // namespace

void TfrxComponent::AlignChildren()
{
    QList<std::pair<QString, TfrxView *>> sorted;
    for (TfrxComponent *c : FObjects) {
        if (auto *v = qobject_cast<TfrxView *>(c))
            sorted.append({AlignKey(v->Left()), v});
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });

    // Left pass: a view moves to the right edge of the nearest view before it that it overlaps.
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        TfrxView *v = sorted.at(i).second;
        if (v->Align() != baLeft && v->Align() != baWidth)
            continue;
        double x = 0;
        for (qsizetype j = i - 1; j >= 0; --j) {
            TfrxView *c = sorted.at(j).second;
            if (v->Align() == baWidth && c->Left() > v->Left())
                continue;
            if (OverlapVertically(v, c)) {
                x = c->Left() + c->Width();
                break;
            }
        }
        v->SetLeft(x);
    }
    // Right pass: a view moves (or stretches) to the nearest view after it that it overlaps.
    for (qsizetype i = sorted.size() - 1; i >= 0; --i) {
        TfrxView *v = sorted.at(i).second;
        if (v->Align() != baRight && v->Align() != baWidth)
            continue;
        double x = FWidth;
        for (qsizetype j = i + 1; j < sorted.size(); ++j) {
            TfrxView *c = sorted.at(j).second;
            if (v->Align() == baWidth && v->Left() + v->Width() > c->Left() + c->Width())
                continue;
            if (OverlapVertically(v, c)) {
                x = c->Left();
                break;
            }
        }
        if (v->Align() == baRight)
            v->SetLeft(x - v->Width());
        else
            v->SetWidth(x - v->Left());
    }
    using Rule = void (*)(TfrxView *, double, double);
    static const QHash<int, Rule> finalRules = {
        {baCenter, [](TfrxView *v, double w, double) { v->SetLeft((w - v->Width()) / 2); }},
        {baBottom, [](TfrxView *v, double, double h) { v->SetTop(h - v->Height()); }},
        {baClient, [](TfrxView *v, double w, double h) { v->SetBounds(0, 0, w, h); }},
    };
    for (TfrxComponent *c : FObjects) {
        auto *v = qobject_cast<TfrxView *>(c);
        if (v == nullptr)
            continue;
        if (const Rule rule = finalRules.value(v->Align(), nullptr))
            rule(v, FWidth, FHeight);
    }
}

void TfrxComponent::SetFont(TfrxFont *value)
{
    if (value != nullptr)
        FFont->Assign(value);
}

void TfrxComponent::SetParentFont(bool value)
{
    if (value && FParent != nullptr)
        FFont->Assign(FParent->Font());
    FParentFont = value;
}

void TfrxComponent::FontChanged()
{
    FParentFont = false;
    for (TfrxComponent *child : std::as_const(FObjects)) {
        if (child->ParentFont())
            child->SetParentFont(true);
    }
}

void TfrxComponent::Assign(const TfrxPersistent *source)
{
    const auto *c = qobject_cast<const TfrxComponent *>(source);
    if (c == nullptr || c == this)
        return;
    const bool parentFont = c->ParentFont();
    TfrxProperties::CopyValues(source, this, {QByteArrayLiteral("Name")});
    FFont->Assign(c->Font());
    FParentFont = parentFont;
}

bool TfrxComponent::IsPropertyStored(const char *name) const
{
    if (qstrcmp(name, "Font") == 0)
        return !FParentFont;
    return true;
}

QString TfrxComponent::Diff(const TfrxComponent *other) const
{
    QString s;
    const auto attr = [&s](const char *name, const QString &value) {
        s += QLatin1Char(' ') + QLatin1String(name) + QStringLiteral("=\"") + value + QLatin1Char('"');
    };
    const bool band = inherits("TfrxBand");
    if (FloatDiff(FLeft, other->FLeft))
        attr("l", FloatText(FLeft));
    if (band || FloatDiff(FTop, other->FTop))
        attr("t", FloatText(FTop));
    if (FloatDiff(FWidth, other->FWidth) && !DiffSkipsWidth())
        attr("w", FloatText(FWidth));
    if (FloatDiff(FHeight, other->FHeight))
        attr("h", FloatText(FHeight));
    if (FVisible != other->FVisible)
        attr("Visible", BoolText(FVisible));
    if (!FParentFont) {
        const TfrxFont *f = FFont, *o = other->FFont;
        if (f->Name() != o->Name())
            attr("Font.Name", EscapeAttr(f->Name()));
        if (f->Size() != o->Size())
            attr("Font.Size", QString::number(f->Size()));
        if (f->Color() != o->Color())
            attr("Font.Color", QString::number(f->Color()));
        if (f->Style() != o->Style())
            attr("Font.Style", QString::number(f->Style().toInt()));
        if (f->Charset() != o->Charset())
            attr("Font.Charset", QString::number(f->Charset()));
    }
    if (FParentFont != other->FParentFont)
        attr("ParentFont", BoolText(FParentFont));
    if (FTag != other->FTag)
        attr("Tag", QString::number(FTag));
    return s;
}

TfrxDataSet *TfrxComponent::FindDataSet(TfrxDataSet *dataSet, const QString &name) const
{
    TfrxReport *report = GetReport();
    if (report != nullptr && !report->UseGlobalDataSetList())
        return report->DataSets()->Find(name);
    return TfrxDataSet::FindGlobal(dataSet, name, report);
}

bool TfrxComponent::IsValidName(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
        const bool digit = ch >= '0' && ch <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}
