#pragma once
#include "TfrxDrawText.h"

#include <QImage>
#include <QStringList>

#include <ostream>

#include <gtest/gtest.h>

// Failure messages show texts as texts, not as arrays of characters.
namespace testing::internal {
template <> class UniversalPrinter<QString>
{
public:
    static void Print(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
};
} // namespace testing::internal

// One text object's worth of layout input.
struct TextSetup
{
    QString Text;
    QRect Rect{0, 0, 200, 100}; // text rectangle at scale 1, report pixels
    TfrxTextFont Font{QStringLiteral("Times New Roman"), 11, 0, 0, 1};
    bool WordWrap = true;
    bool Tags = false;
    int Rotation = 0;
    bool Wysiwyg = true;
    bool Clipped = true;
    bool WordBreak = false;
    bool RTL = false;
    double ParagraphGap = 0;
    double CharSpacing = 0;
    double LineSpacing = 0;
};

// Feeds the engine as a text object would, with the device rectangle at the given scale.
void prepare(TfrxDrawText &engine, const TextSetup &setup, double scaleX = 1, double scaleY = 1,
             double printScale = 1);
QStringList wrappedLines(const TextSetup &setup, double scale = 1);
QList<int> lineFlags(const TfrxDrawText &engine);

// A white image of the scaled rectangle's size plus a margin, with the text drawn on it.
QImage render(const TextSetup &setup, TfrxHAlign hAlign, TfrxVAlign vAlign, double scale = 1);
// The bounding box of the pixels darker than mid-grey, in image coordinates.
QRect inkBox(const QImage &image);
// Saves an image under the build folder for looking at; returns the path.
QString savePicture(const QImage &image, const QString &name);
