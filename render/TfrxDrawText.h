#pragma once
#include "TfrxTextFont.h"
#include "TfrxWideStrings.h"
#include "zorTextAlign.h"

#include <QRect>
#include <QString>

#include <memory>

class QPainter;
class TfrxHTMLTagsList;
struct TfrxDrawTextPrivate;

// Lays out and draws the text of a text object. Line breaks and positions are worked out once at
// 600 units per inch from the object's unscaled rectangle, so the same text breaks into the same
// lines at every zoom and on every printer; drawing places each character where the layout says.
//
// One instance serves many objects: every use runs under Lock() from SetFont to the last query,
// in the order SetFont, SetOptions, SetGaps, SetDimensions, SetText, then the queries.
class TfrxDrawText
{
public:
    static constexpr int FDefPPI = 600;
    static constexpr int FScrPPI = 96;
    static constexpr int kClipOption = 4;
    static constexpr int kRTLReadingOption = 128;

    TfrxDrawText();
    ~TfrxDrawText();
    TfrxDrawText(const TfrxDrawText &) = delete;
    TfrxDrawText &operator=(const TfrxDrawText &) = delete;

    // The instance for objects that belong to no report.
    static TfrxDrawText &Global();

    // The lock is process-wide (shared by every instance) and recursive.
    static void Lock();
    static void Unlock();
    class Locker
    {
    public:
        Locker() { Lock(); }
        ~Locker() { Unlock(); }
        Locker(const Locker &) = delete;
        Locker &operator=(const Locker &) = delete;
    };

    void SetFont(const TfrxTextFont &font);
    // Kept for the text object; text is laid out in Unicode whatever the font's character set.
    void SetUseDefaultCharset(bool value);
    void SetOptions(bool WordWrap, bool HTMLTags, int Rotation, bool Wysiwyg, bool Clipped, bool WordBreak,
                    bool RTLReading);
    void SetGaps(double ParagraphGap, double CharSpacing, double LineSpacing);
    // Rectangles hold left, top, width and height: the text rectangle at scale 1 in report
    // pixels, and the same on the device in device pixels.
    void SetDimensions(double ScaleX, double ScaleY, double PrintScale, const QRect &OriginalRect,
                       const QRect &ScaledRect);
    void SetText(const TfrxWideStrings &Text);
    void SetText(const QString &Text) { SetText(TfrxWideStrings(Text)); }
    void SetParaBreaks(bool FirstParaBreak, bool LastParaBreak);

    void DrawText(QPainter *Canvas, TfrxHAlign HAlign, TfrxVAlign VAlign);
    double CalcHeight() const;
    double CalcWidth() const;
    double LineHeight() const;
    double TextHeight() const;
    double UnusedSpace() const;
    QString GetOutBoundsText(bool &ParaBreak);
    QString GetInBoundsText() const;
    QString GetWrappedText() const;
    static QString DeleteTags(const QString &Text);

    static bool IsPrinter(const QPainter *Canvas);

    // The wrapped lines with their flag words (1 = first line of a paragraph, 2 = last line).
    const TfrxWideStrings &Lines() const;
    const TfrxHTMLTagsList &Tags() const;
    QString PlainText() const;
    int Rotation() const;

private:
    std::unique_ptr<TfrxDrawTextPrivate> d;
};
