#pragma once

#include "TfrxView.h"

#include <QImage>

// A picture loaded from a file, a data field or the template, drawn stretched (keeping the
// aspect ratio and centred if asked) or at its own size.
class TfrxPictureView : public TfrxView
{
    Q_OBJECT
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(TfrxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)
    Q_PROPERTY(TfrxFrame *Frame READ Frame WRITE SetFrame)
    Q_PROPERTY(zor::TfrxFillType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(TfrxCustomFill *Fill READ Fill WRITE SetFill)
    Q_PROPERTY(QString FileLink READ FileLink WRITE SetFileLink)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE SetImageIndex)
    Q_PROPERTY(bool KeepAspectRatio READ KeepAspectRatio WRITE SetKeepAspectRatio)
    Q_PROPERTY(QImage Picture READ Picture WRITE SetPicture STORED false)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)
    Q_PROPERTY(QString TagStr READ TagStr WRITE SetTagStr)
    Q_PROPERTY(QString URL READ URL WRITE SetURL STORED false)
    Q_PROPERTY(bool HightQuality READ HightQuality WRITE SetHightQuality)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(int TransparentColor READ TransparentColor WRITE SetTransparentColor)
    Q_CLASSINFO("Default.AutoSize", "False")
    Q_CLASSINFO("Default.Center", "False")
    Q_CLASSINFO("Default.ImageIndex", "-1")
    Q_CLASSINFO("Default.KeepAspectRatio", "True")
    Q_CLASSINFO("Default.Stretched", "True")
    Q_CLASSINFO("Default.HightQuality", "False")
    Q_CLASSINFO("Default.Transparent", "False")
    Q_CLASSINFO("Default.TransparentColor", "16777215")
    Q_MOC_INCLUDE("TfrxFrame.h")
    Q_MOC_INCLUDE("TfrxCustomFill.h")
    Q_MOC_INCLUDE("TfrxDataSet.h")

public:
    explicit TfrxPictureView(QObject *owner = nullptr);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value) { FAutoSize = value; }
    bool Center() const { return FCenter; }
    void SetCenter(bool value) { FCenter = value; }
    QString FileLink() const { return FFileLink; }
    void SetFileLink(const QString &value) { FFileLink = value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }
    bool KeepAspectRatio() const { return FKeepAspectRatio; }
    void SetKeepAspectRatio(bool value) { FKeepAspectRatio = value; }
    bool Stretched() const { return FStretched; }
    void SetStretched(bool value) { FStretched = value; }
    bool HightQuality() const { return FHightQuality; }
    void SetHightQuality(bool value) { FHightQuality = value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }
    int TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(int value) { FTransparentColor = value; }

    QImage Picture() const { return FPicture; }
    void SetPicture(const QImage &value);
    // The encoded bytes of the picture: those it was loaded from, or PNG for a picture set as an
    // image; empty for no picture.
    QByteArray PictureData() const;
    // Loads encoded picture bytes, detecting the format; returns false (picture emptied) when the
    // bytes are no picture that can be shown.
    bool LoadPictureData(const QByteArray &data);
    bool LoadFromFile(const QString &fileName);

    void GetData() override;
    QString Diff(const TfrxComponent *other) const override;

    // The picture format of encoded bytes ("BMP", "JPEG", "PNG", "WMF", "EMF", "ICO") after an
    // optional 8-byte blob prefix; empty when nothing matches.
    static QByteArray DetectFormat(const QByteArray &data, qsizetype *offset = nullptr);

protected:
    void DrawContent() override;

private:
    bool FAutoSize = false;
    bool FCenter = false;
    QString FFileLink;
    int FImageIndex = -1;
    bool FKeepAspectRatio = true;
    bool FStretched = true;
    bool FHightQuality = false;
    bool FTransparent = false;
    int FTransparentColor = zor::clWhite;
    QImage FPicture;
    QByteArray FPictureData;
};
