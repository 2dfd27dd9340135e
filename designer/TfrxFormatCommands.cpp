#include "TfrxFormatCommands.h"

#include "TfrxBrushFill.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxMemoView.h"
#include "TfrxReportPage.h"
#include "TfrxXMLSerializer.h"
#include "zorPlacement.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <optional>

using namespace zor;

namespace {

// Far beyond any paper, and small enough that the font's pixel height stays a whole number.
constexpr double MaxFontPoints = 1000;

// A number typed into a toolbar box, read like template floats (either decimal separator);
// none unless it is positive and finite.
std::optional<double> PositiveNumber(const QString &text)
{
    double value = 0;
    if (!TfrxXMLSerializer::StrToFloat(text, value) || !(value > 0))
        return std::nullopt;
    return value;
}

// The font size box takes whole points.
std::optional<int> WholePoints(const QString &text)
{
    const std::optional<double> size = PositiveNumber(text);
    if (!size || *size > MaxFontPoints || std::nearbyint(*size) < 1)
        return std::nullopt;
    return int(std::nearbyint(*size));
}

// The frame the Frame toolbar works on: a view's, or the frame around a page's printable area.
TfrxFrame *FrameOf(const TfrxComponent *object)
{
    if (const auto *view = qobject_cast<const TfrxView *>(object))
        return view->Frame();
    if (const auto *page = qobject_cast<const TfrxReportPage *>(object))
        return page->Frame();
    return nullptr;
}

// Runs change on the object's frame, when it has one; whether it had.
template <typename Change> bool OnFrame(TfrxComponent *object, Change change)
{
    TfrxFrame *frame = FrameOf(object);
    if (frame == nullptr)
        return false;
    change(*frame);
    return true;
}

// Runs change on the object when it is a text object; whether it was.
template <typename Change> bool OnMemo(TfrxComponent *object, Change change)
{
    auto *memo = qobject_cast<TfrxCustomMemoView *>(object);
    if (memo == nullptr)
        return false;
    change(*memo);
    return true;
}

// ---- The actions of the tags ---------------------------------------------------------------
// Each changes one object and returns false when the object has nothing the control changes or
// the value is refused.

bool SetFontName(TfrxComponent *object, const TfrxFormatValue &value)
{
    const QString name = value.Text.trimmed();
    if (name.isEmpty())
        return false;
    object->Font()->SetName(name);
    return true;
}

bool SetFontSize(TfrxComponent *object, const TfrxFormatValue &value)
{
    const std::optional<int> points = WholePoints(value.Text);
    if (!points)
        return false;
    object->Font()->SetSize(*points);
    return true;
}

template <TFontStyle Style> bool SetFontStyle(TfrxComponent *object, const TfrxFormatValue &value)
{
    TFontStyles styles = object->Font()->Style();
    styles.setFlag(Style, value.Down);
    object->Font()->SetStyle(styles);
    return true;
}

bool SetFontColor(TfrxComponent *object, const TfrxFormatValue &value)
{
    object->Font()->SetColor(value.Number);
    return true;
}

template <TfrxHAlign Align> bool SetHAlign(TfrxComponent *object, const TfrxFormatValue &)
{
    return OnMemo(object, [](TfrxCustomMemoView &memo) { memo.SetHAlign(Align); });
}

template <TfrxVAlign Align> bool SetVAlign(TfrxComponent *object, const TfrxFormatValue &)
{
    return OnMemo(object, [](TfrxCustomMemoView &memo) { memo.SetVAlign(Align); });
}

template <TfrxFrameType Side> bool SetFrameSide(TfrxComponent *object, const TfrxFormatValue &value)
{
    return OnFrame(object, [&](TfrxFrame &frame) {
        TfrxFrameTypes sides = frame.Typ();
        sides.setFlag(Side, value.Down);
        frame.SetTyp(sides);
    });
}

bool SetAllFrameSides(TfrxComponent *object, const TfrxFormatValue &)
{
    return OnFrame(object, [](TfrxFrame &frame) { frame.SetTyp(ftLeft | ftRight | ftTop | ftBottom); });
}

bool ClearFrameSides(TfrxComponent *object, const TfrxFormatValue &)
{
    return OnFrame(object, [](TfrxFrame &frame) { frame.SetTyp({}); });
}

bool SetFillColor(TfrxComponent *object, const TfrxFormatValue &value)
{
    if (auto *view = qobject_cast<TfrxView *>(object)) {
        view->SetFillType(ftBrush);
        auto *brush = static_cast<TfrxBrushFill *>(view->Fill());
        brush->SetBackColor(value.Number);
        brush->SetStyle(bsSolid);
        return true;
    }
    if (auto *page = qobject_cast<TfrxReportPage *>(object)) {
        page->SetColor(value.Number);
        return true;
    }
    return false;
}

bool SetFrameColor(TfrxComponent *object, const TfrxFormatValue &value)
{
    return OnFrame(object, [&](TfrxFrame &frame) { frame.SetColor(value.Number); });
}

bool SetFrameStyle(TfrxComponent *object, const TfrxFormatValue &value)
{
    if (value.Number < fsSolid || value.Number > fsSquare)
        return false;
    return OnFrame(object, [&](TfrxFrame &frame) { frame.SetStyle(TfrxFrameStyle(value.Number)); });
}

bool SetFrameWidth(TfrxComponent *object, const TfrxFormatValue &value)
{
    const std::optional<double> width = PositiveNumber(value.Text);
    return width && OnFrame(object, [&](TfrxFrame &frame) { frame.SetWidth(*width); });
}

bool SetRotation(TfrxComponent *object, const TfrxFormatValue &value)
{
    return OnMemo(object, [&](TfrxCustomMemoView &memo) { memo.SetRotation(value.Number); });
}

bool SetStyleName(TfrxComponent *object, const TfrxFormatValue &value)
{
    return OnMemo(object, [&](TfrxCustomMemoView &memo) { memo.SetStyle(value.Text); });
}

struct TagRule
{
    TfrxFormatTag Tag;
    bool (*Act)(TfrxComponent *object, const TfrxFormatValue &value);
    // A text object's own formatting no longer is its style's, so it leaves the style.
    bool ClearsStyle;
};

const TagRule TagRules[] = {
    {ftgFontName, SetFontName, true},
    {ftgFontSize, SetFontSize, true},
    {ftgBold, SetFontStyle<fsBold>, true},
    {ftgItalic, SetFontStyle<fsItalic>, true},
    {ftgUnderline, SetFontStyle<fsUnderline>, true},
    {ftgFontColor, SetFontColor, true},
    {ftgHAlignLeft, SetHAlign<haLeft>, false},
    {ftgHAlignCenter, SetHAlign<haCenter>, false},
    {ftgHAlignRight, SetHAlign<haRight>, false},
    {ftgHAlignBlock, SetHAlign<haBlock>, false},
    {ftgVAlignTop, SetVAlign<vaTop>, false},
    {ftgVAlignCenter, SetVAlign<vaCenter>, false},
    {ftgVAlignBottom, SetVAlign<vaBottom>, false},
    {ftgFrameTop, SetFrameSide<ftTop>, true},
    {ftgFrameBottom, SetFrameSide<ftBottom>, true},
    {ftgFrameLeft, SetFrameSide<ftLeft>, true},
    {ftgFrameRight, SetFrameSide<ftRight>, true},
    {ftgFrameAll, SetAllFrameSides, true},
    {ftgFrameNone, ClearFrameSides, true},
    {ftgFillColor, SetFillColor, true},
    {ftgFrameColor, SetFrameColor, true},
    {ftgFrameStyle, SetFrameStyle, true},
    {ftgFrameWidth, SetFrameWidth, true},
    {ftgRotation, SetRotation, false},
    {ftgStyle, SetStyleName, false},
};

const TagRule *FindRule(TfrxFormatTag tag)
{
    const auto *rule = std::find_if(std::begin(TagRules), std::end(TagRules),
                                    [tag](const TagRule &candidate) { return candidate.Tag == tag; });
    return rule == std::end(TagRules) ? nullptr : rule;
}

// ---- Applying to the selection ---------------------------------------------------------------

struct Outcome
{
    bool Changed = false;
    const TfrxCustomMemoView *LastMemo = nullptr; // the last text object changed
};

// Applies change to every selected object that may be modified.
Outcome ApplyToSelection(const QList<TfrxComponent *> &selection,
                         const std::function<bool(TfrxComponent *)> &change, bool clearsStyle)
{
    Outcome outcome;
    for (TfrxComponent *object : selection) {
        if (object == nullptr || object->Restrictions().testFlag(rfDontModify) || !change(object))
            continue;
        outcome.Changed = true;
        if (auto *memo = qobject_cast<TfrxCustomMemoView *>(object)) {
            if (clearsStyle)
                memo->SetStyle(QString());
            outcome.LastMemo = memo;
        }
    }
    return outcome;
}

// The parts of a text object's format that the sample carries. A font that follows the parent's
// is not copied: the receiver follows its own parent, as a new object on the page would.
void CopyFormat(const TfrxCustomMemoView &from, TfrxCustomMemoView &to)
{
    if (from.ParentFont())
        to.SetParentFont(true);
    else
        to.Font()->Assign(from.Font());
    to.SetHAlign(from.HAlign());
    to.SetVAlign(from.VAlign());
    to.Frame()->Assign(from.Frame());
    to.SetFillType(from.FillType());
    to.Fill()->Assign(from.Fill());
    to.SetRotation(from.Rotation());
}

// The last text object changed becomes the sample format; whether anything changed.
bool KeepSample(TfrxMemoView &sample, const Outcome &outcome)
{
    if (outcome.LastMemo != nullptr)
        CopyFormat(*outcome.LastMemo, sample);
    return outcome.Changed;
}

// Position rounded to the nearest multiple of the step.
double Snap(double value, double step)
{
    return Round8(std::nearbyint(value / step) * step);
}

bool IsGridStep(double step)
{
    return std::isfinite(step) && step > 0;
}

bool FitObjectToGrid(TfrxComponent *object, double gridX, double gridY)
{
    const struct
    {
        const TfrxCoordinate &Coordinate;
        double Step;
        bool IsSize; // a size never snaps to nothing: the object would vanish
    } fits[] = {
        {LeftCoordinate, gridX, false},
        {TopCoordinate, gridY, false},
        {WidthCoordinate, gridX, true},
        {HeightCoordinate, gridY, true},
    };
    bool changed = false;
    for (const auto &fit : fits) {
        double value = Snap((object->*fit.Coordinate.Get)(), fit.Step);
        if (fit.IsSize && value == 0)
            value = fit.Step;
        changed = ChangeCoordinate(object, fit.Coordinate, value) || changed;
    }
    return changed;
}

} // namespace

TfrxFormatCommands::TfrxFormatCommands() : FSample(std::make_unique<TfrxMemoView>()) {}

TfrxFormatCommands::~TfrxFormatCommands() = default;

bool TfrxFormatCommands::Apply(TfrxFormatTag tag, const TfrxFormatValue &value,
                               const QList<TfrxComponent *> &selection)
{
    const TagRule *rule = FindRule(tag);
    if (rule == nullptr)
        return false;
    const auto act = [&](TfrxComponent *object) { return rule->Act(object, value); };
    return KeepSample(*FSample, ApplyToSelection(selection, act, rule->ClearsStyle));
}

bool TfrxFormatCommands::FitToGrid(const QList<TfrxComponent *> &selection, double gridX, double gridY)
{
    if (!IsGridStep(gridX) || !IsGridStep(gridY))
        return false;
    const auto fit = [&](TfrxComponent *object) {
        return IsPlaced(object) && FitObjectToGrid(object, gridX, gridY);
    };
    return ApplyToSelection(selection, fit, false).Changed;
}

bool TfrxFormatCommands::ApplyFrame(const TfrxFrame &frame, const QList<TfrxComponent *> &selection)
{
    const auto assign = [&](TfrxComponent *object) {
        return OnFrame(object, [&](TfrxFrame &own) { own.Assign(&frame); });
    };
    return KeepSample(*FSample, ApplyToSelection(selection, assign, true));
}

bool TfrxFormatCommands::ApplyFont(const TfrxFont &font, const QList<TfrxComponent *> &selection)
{
    const auto assign = [&](TfrxComponent *object) {
        object->Font()->Assign(&font);
        return true;
    };
    return KeepSample(*FSample, ApplyToSelection(selection, assign, false));
}

bool TfrxFormatCommands::ApplyFill(const TfrxCustomFill &fill, const QList<TfrxComponent *> &selection)
{
    const auto assign = [&](TfrxComponent *object) {
        auto *view = qobject_cast<TfrxView *>(object);
        if (view == nullptr)
            return false;
        view->SetFillType(zorGetFillType(&fill));
        view->Fill()->Assign(&fill);
        return true;
    };
    return KeepSample(*FSample, ApplyToSelection(selection, assign, true));
}

void TfrxFormatCommands::ApplySample(TfrxCustomMemoView *memo) const
{
    if (memo != nullptr)
        CopyFormat(*FSample, *memo);
}

TfrxFormatState TfrxFormatCommands::StateOf(const TfrxComponent *object)
{
    TfrxFormatState state;
    if (object == nullptr)
        return state;
    const TfrxFont *font = object->Font();
    state.FontName = font->Name();
    state.FontSize = font->Size();
    state.Bold = font->Style().testFlag(fsBold);
    state.Italic = font->Style().testFlag(fsItalic);
    state.Underline = font->Style().testFlag(fsUnderline);
    if (const auto *memo = qobject_cast<const TfrxCustomMemoView *>(object)) {
        state.HAlign = memo->HAlign();
        state.VAlign = memo->VAlign();
        state.Style = memo->Style();
    }
    if (const TfrxFrame *frame = FrameOf(object)) {
        state.FrameTop = frame->Typ().testFlag(ftTop);
        state.FrameBottom = frame->Typ().testFlag(ftBottom);
        state.FrameLeft = frame->Typ().testFlag(ftLeft);
        state.FrameRight = frame->Typ().testFlag(ftRight);
    }
    return state;
}
