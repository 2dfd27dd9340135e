#include "TfrxWorkspacePainter.h"

#include "TfrxBand.h"
#include "TfrxCustomLineView.h"
#include "TfrxFrame.h"
#include "TfrxHitTester.h"
#include "TfrxReportPage.h"
#include "TfrxWorkspaceGrid.h"

#include <QHash>
#include <QPainter>

#include <array>

using namespace zor;

namespace {

// Room around an object for what it draws beyond its bounds: frame lines, shadows, arrow heads.
constexpr int drawingRoom = 20;

const QColor marginColor(0xB8, 0xC4, 0xD4);
const QColor outlineColor(0xC0, 0xC0, 0xC0);
const QColor captionText(0x30, 0x34, 0x3A);

QRectF OnWidget(const TfrxWorkspaceScene &scene, const QRectF &report)
{
    return QRectF(scene.Origin + report.topLeft() * scene.Scale, report.size() * scene.Scale);
}

bool HasWholeFrame(const TfrxView *view)
{
    const TfrxFrameTypes all = ftLeft | ftRight | ftTop | ftBottom;
    return (view->Frame()->Typ() & all) == all;
}

} // namespace

QColor TfrxWorkspacePainter::BandColor(const TfrxBand *band)
{
    // By band number: titles, page header and footer, headers and footers, the data bands, group
    // header and footer, child, column header and footer, overlay.
    static const std::array<QColor, 18> colours = {{
        {0xE0, 0x9A, 0x3E},
        {0xE0, 0x9A, 0x3E},
        {0x4F, 0x8F, 0xD0},
        {0x4F, 0x8F, 0xD0},
        {0x4C, 0xA8, 0x6A},
        {0x4C, 0xA8, 0x6A},
        {0xD9, 0x7B, 0x29},
        {0xD9, 0x7B, 0x29},
        {0xD9, 0x7B, 0x29},
        {0xD9, 0x7B, 0x29},
        {0xD9, 0x7B, 0x29},
        {0xD9, 0x7B, 0x29},
        {0x8E, 0x6B, 0xC9},
        {0x8E, 0x6B, 0xC9},
        {0x8A, 0x94, 0xA0},
        {0x3E, 0xA8, 0xA0},
        {0x3E, 0xA8, 0xA0},
        {0xC8, 0x5E, 0x94},
    }};
    const int number = band->BandNumber();
    return number >= 0 && number < int(colours.size()) ? colours[number] : QColor(0x8A, 0x94, 0xA0);
}

void TfrxWorkspacePainter::Invalidate()
{
    FCacheValid = false;
    FCache = QImage();
}

void TfrxWorkspacePainter::Paint(QPainter &painter, const QRect &clip, const TfrxWorkspaceScene &scene)
{
    PaintScene(painter, clip, scene, {});
}

void TfrxWorkspacePainter::PaintCached(QPainter &painter, const QRect &clip, const QRect &visible,
                                       const TfrxWorkspaceScene &scene, const QList<TfrxComponent *> &moving)
{
    const QSet<const TfrxComponent *> left(moving.cbegin(), moving.cend());
    if (!FCacheValid || !FCacheRect.contains(clip)) {
        FCacheRect = visible.united(clip);
        const qreal ratio = painter.device()->devicePixelRatioF();
        FCache = QImage(FCacheRect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        FCache.setDevicePixelRatio(ratio);
        QPainter cache(&FCache);
        cache.translate(-FCacheRect.topLeft());
        PaintScene(cache, FCacheRect, scene, left);
        FCacheValid = true;
    }
    painter.drawImage(clip.topLeft(), FCache,
                      QRectF(QPointF(clip.topLeft() - FCacheRect.topLeft()) * FCache.devicePixelRatio(),
                             QSizeF(clip.size()) * FCache.devicePixelRatio()));
    PaintObjects(painter, clip, scene, moving, {});
}

void TfrxWorkspacePainter::PaintScene(QPainter &painter, const QRect &clip, const TfrxWorkspaceScene &scene,
                                      const QSet<const TfrxComponent *> &left)
{
    painter.fillRect(clip, scene.WorkspaceColor);
    if (scene.Page == nullptr)
        return;
    PaintPaper(painter, scene);
    if (!scene.Backdrop.isNull())
        painter.drawImage(scene.BackdropRect.topLeft(), ScaledBackdrop(scene));
    scene.Grid->Paint(painter, scene.Paper.intersected(clip), scene.Origin, scene.Scale);
    PaintMargins(painter, scene);
    if (scene.Objects != nullptr)
        PaintObjects(painter, clip, scene, *scene.Objects, left);
}

// The blank's picture is scaled once for a zoom, not on every paint.
const QImage &TfrxWorkspacePainter::ScaledBackdrop(const TfrxWorkspaceScene &scene)
{
    const QSize size = scene.BackdropRect.size().toSize();
    if (FBackdrop.size() != size || FBackdropSource.cacheKey() != scene.Backdrop.cacheKey()) {
        FBackdropSource = scene.Backdrop;
        FBackdrop = scene.Backdrop.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return FBackdrop;
}

void TfrxWorkspacePainter::PaintObjects(QPainter &painter, const QRect &clip, const TfrxWorkspaceScene &scene,
                                        const QList<TfrxComponent *> &objects,
                                        const QSet<const TfrxComponent *> &left) const
{
    const QRectF area = QRectF(clip).adjusted(-drawingRoom, -drawingRoom, drawingRoom, drawingRoom);
    for (TfrxComponent *object : objects) {
        if (left.contains(object) || !TfrxHitTester::IsPlaceable(object))
            continue;
        QRectF r = OnWidget(scene, TfrxHitTester::Bounds(object));
        if (auto *band = qobject_cast<TfrxBand *>(object)) {
            r.adjust(-scene.BandHeader * scene.Scale, -scene.BandHeader * scene.Scale, 0, 0);
            if (r.intersects(area))
                PaintBand(painter, scene, band);
        } else if (r.adjusted(-1, -1, 1, 1).intersects(area)) {
            PaintView(painter, scene, qobject_cast<TfrxView *>(object));
        }
    }
}

void TfrxWorkspacePainter::PaintPaper(QPainter &painter, const TfrxWorkspaceScene &scene)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    // A soft shadow lifts the paper off the workspace.
    for (int i = 1; i <= 3; ++i) {
        painter.setBrush(QColor(0, 0, 0, 18));
        painter.drawRect(scene.Paper.translated(i, i));
    }
    painter.fillRect(scene.Paper, Qt::white);
    painter.restore();
    if (auto *page = qobject_cast<TfrxReportPage *>(scene.Page)) {
        painter.save();
        page->Draw(&painter, scene.Scale, scene.Scale, scene.Paper.left(), scene.Paper.top());
        painter.restore();
    }
}

void TfrxWorkspacePainter::PaintMargins(QPainter &painter, const TfrxWorkspaceScene &scene)
{
    if (scene.Printable == scene.Paper)
        return;
    painter.save();
    QPen pen(marginColor, 0, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(scene.Printable.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

void TfrxWorkspacePainter::PaintBand(QPainter &painter, const TfrxWorkspaceScene &scene, TfrxBand *band)
{
    const QRectF body = OnWidget(scene, TfrxHitTester::Bounds(band));
    const QColor colour = BandColor(band);
    painter.save();
    band->Draw(&painter, scene.Scale, scene.Scale, scene.Origin.x(), scene.Origin.y());
    painter.restore();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QColor edge = colour;
    edge.setAlpha(150);
    painter.setPen(QPen(edge, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    if (scene.BandHeader > 0) {
        const double strip = scene.BandHeader * scene.Scale;
        const QRectF caption = band->Vertical()
                                   ? QRectF(body.left() - strip, body.top(), strip, body.height())
                                   : QRectF(body.left(), body.top() - strip, body.width(), strip);
        QColor fill = colour;
        fill.setAlpha(48);
        painter.fillRect(caption, fill);
        painter.fillRect(band->Vertical() ? QRectF(caption.left(), caption.top(), caption.width(), 3)
                                          : QRectF(caption.left(), caption.top(), 3, caption.height()),
                         colour);
        QFont font = painter.font();
        font.setPixelSize(std::max(6, int(strip * 0.62)));
        painter.setFont(font);
        painter.setPen(captionText);
        if (band->Vertical()) {
            painter.translate(caption.bottomLeft());
            painter.rotate(-90);
            painter.drawText(QRectF(8, 0, caption.height() - 8, caption.width()),
                             Qt::AlignVCenter | Qt::AlignLeft, band->Name());
        } else {
            painter.drawText(caption.adjusted(8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, band->Name());
        }
    }
    painter.restore();
}

void TfrxWorkspacePainter::PaintView(QPainter &painter, const TfrxWorkspaceScene &scene, TfrxView *view)
{
    painter.save();
    view->Draw(&painter, scene.Scale, scene.Scale, scene.Origin.x(), scene.Origin.y());
    painter.restore();
    // An object without a whole frame would be invisible on empty paper: a faint dotted outline
    // shows where it is (only on screen).
    if (qobject_cast<TfrxCustomLineView *>(view) != nullptr || HasWholeFrame(view))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(outlineColor, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(OnWidget(scene, TfrxHitTester::Bounds(view)).adjusted(0, 0, -1, -1));
    painter.restore();
}
