#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

#include <QFont>

#include <functional>

// The font of a report object: name, height in pixels at 96 per inch (negative for an em height,
// as a size in points gives), colour, charset, style set, pitch, orientation and quality.
class TfrxFont : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(zor::TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(zor::TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(zor::TFontQuality Quality READ Quality WRITE SetQuality)
    Q_CLASSINFO("Default.Orientation", "0")
    Q_CLASSINFO("Default.Pitch", "fpDefault")
    Q_CLASSINFO("Default.Quality", "fqDefault")

public:
    static constexpr int DefaultCharset = 1;
    static constexpr int PixelsPerInch = 96;

    explicit TfrxFont(QObject *parent = nullptr);

    int Charset() const { return FCharset; }
    void SetCharset(int value);
    int Color() const { return FColor; }
    void SetColor(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    QString Name() const { return FName; }
    void SetName(const QString &value);
    int Orientation() const { return FOrientation; }
    void SetOrientation(int value);
    zor::TFontPitch Pitch() const { return FPitch; }
    void SetPitch(zor::TFontPitch value);
    int Size() const;
    void SetSize(int points);
    zor::TFontStyles Style() const { return FStyle; }
    void SetStyle(zor::TFontStyles value);
    zor::TFontQuality Quality() const { return FQuality; }
    void SetQuality(zor::TFontQuality value);

    void Assign(const TfrxPersistent *source) override;
    bool Equals(const TfrxFont &other) const;
    // The font as Qt draws it: the pixel size is the em height in report units.
    QFont ToQFont() const;

    // Called after every change of the font (one call per Assign).
    void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }

private:
    void Changed();

    int FCharset = DefaultCharset;
    int FColor = zor::clBlack;
    int FHeight = -13;
    QString FName;
    int FOrientation = 0;
    zor::TFontPitch FPitch = zor::fpDefault;
    zor::TFontStyles FStyle;
    zor::TFontQuality FQuality = zor::fqDefault;
    std::function<void()> FOnChange;
};
