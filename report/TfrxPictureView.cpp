#include "TfrxPictureView.h"

#include "TfrxDataSet.h"
#include "zorDraw_p.h"
#include "zorJpeg.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QtEndian>

using namespace zor;

TfrxPictureView::TfrxPictureView(QObject *owner) : TfrxView(owner)
{
    SetComponentStyle(ComponentStyle() & ~TfrxComponentStyle(csDefaultDiff));
}

void TfrxPictureView::SetPicture(const QImage &value)
{
    FPicture = value;
    FPictureData.clear();
    if (FAutoSize && !FPicture.isNull()) {
        SetWidth(FPicture.width());
        SetHeight(FPicture.height());
    }
}

QByteArray TfrxPictureView::DetectFormat(const QByteArray &data, qsizetype *offset)
{
    qsizetype start = 0;
    // An optional blob prefix: 16-bit 1, 16-bit 256 and the 32-bit length of the rest.
    if (data.size() >= 8) {
        const auto *b = reinterpret_cast<const uchar *>(data.constData());
        if (qFromLittleEndian<quint16>(b) == 1 && qFromLittleEndian<quint16>(b + 2) == 256
            && qFromLittleEndian<quint32>(b + 4) == quint32(data.size() - 8))
            start = 8;
    }
    if (offset != nullptr)
        *offset = start;
    const QByteArrayView d = QByteArrayView(data).sliced(start);
    static const QByteArray png("\x89PNG\r\n\x1a\n", 8);
    if (d.startsWith("BM"))
        return "BMP";
    if (d.size() >= 2 && uchar(d[0]) == 0xFF && uchar(d[1]) == 0xD8)
        return "JPEG";
    if (d.startsWith(png))
        return "PNG";
    if (d.size() >= 4 && qFromLittleEndian<quint32>(d.data()) == 0x9AC6CDD7u)
        return "WMF";
    if (d.size() >= 44 && d.sliced(40, 4) == " EMF")
        return "EMF";
    // An icon directory: reserved 0, then its type, below 2.
    if (d.size() >= 6 && qFromLittleEndian<quint16>(d.data()) == 0 && qFromLittleEndian<quint16>(d.data() + 2) < 2)
        return "ICO";
    return {};
}

QByteArray TfrxPictureView::PictureData() const
{
    if (!FPictureData.isEmpty() || FPicture.isNull())
        return FPictureData;
    // A picture set as an image is kept as PNG.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    FPicture.save(&buffer, "PNG");
    return bytes;
}

bool TfrxPictureView::LoadPictureData(const QByteArray &data)
{
    qsizetype offset = 0;
    const QByteArray format = DetectFormat(data, &offset);
    const QByteArray bytes = data.mid(offset);
    QImage image;
    if (format == "JPEG")
        image = zorDecodeJpeg(bytes);
    else if (format == "BMP" || format == "PNG" || format == "ICO")
        image.loadFromData(bytes, format.constData());
    // Metafiles cannot be drawn on this platform; like unknown data they leave the picture empty.
    SetPicture(image);
    if (!image.isNull())
        FPictureData = bytes;
    return !image.isNull();
}

bool TfrxPictureView::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetPicture({});
        return false;
    }
    return LoadPictureData(file.readAll());
}

void TfrxPictureView::GetData()
{
    TfrxView::GetData();
    if (!FFileLink.isEmpty()) {
        const QString name = FFileLink.contains(QLatin1Char('[')) ? ExpandVariables(FFileLink) : FFileLink;
        if (QFile::exists(name))
            LoadFromFile(name);
        else
            SetPicture({});
        return;
    }
    if (IsDataField() && DataSet()->IsBlobField(DataField()))
        LoadPictureData(DataSet()->GetValue(DataField()).toByteArray());
}

void TfrxPictureView::DrawContent()
{
    if (FPicture.isNull() || FPicture.width() == 0 || FPicture.height() == 0)
        return;
    QRect target;
    if (FStretched) {
        target = QRect(FX, FY, FDX, FDY);
        if (FKeepAspectRatio) {
            const double kx = double(FDX) / FPicture.width(), ky = double(FDY) / FPicture.height();
            const double k = std::min(kx, ky);
            const int w = Nearest(FPicture.width() * k), h = Nearest(FPicture.height() * k);
            target = QRect(FX, FY, w, h);
            if (FCenter)
                target.moveTo(FX + (FDX - w) / 2, FY + (FDY - h) / 2);
        }
    } else {
        const int w = Nearest(FPicture.width() * FScaleX), h = Nearest(FPicture.height() * FScaleY);
        target = QRect(FX, FY, w, h);
        if (FCenter)
            target.moveTo(FX + (FDX - w) / 2, FY + (FDY - h) / 2);
    }
    if (target.isEmpty())
        return;
    FCanvas->save();
    FCanvas->setClipRect(QRect(FX, FY, FDX, FDY) & zor::draw::DeviceBounds(FCanvas),
                         FCanvas->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    FCanvas->setRenderHint(QPainter::SmoothPixmapTransform, FHightQuality);
    FCanvas->drawImage(target, FPicture);
    FCanvas->restore();
}

QString TfrxPictureView::Diff(const TfrxComponent *other) const
{
    QString s = TfrxView::Diff(other);
    const auto *o = qobject_cast<const TfrxPictureView *>(other);
    if (o == nullptr)
        return s;
    if (FImageIndex != o->FImageIndex)
        s += QStringLiteral(" ImageIndex=\"%1\"").arg(FImageIndex);
    if (FTransparent != o->FTransparent)
        s += QStringLiteral(" Transparent=\"%1\"").arg(BoolText(FTransparent));
    if (FTransparentColor != o->FTransparentColor)
        s += QStringLiteral(" TransparentColor=\"%1\"").arg(FTransparentColor);
    return s;
}
