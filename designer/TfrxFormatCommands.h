#pragma once

#include <QList>
#include <QString>

#include <memory>

class TfrxComponent;
class TfrxCustomFill;
class TfrxCustomMemoView;
class TfrxFont;
class TfrxFrame;
class TfrxMemoView;

// The tags of the Text and Frame toolbars' controls: each selects what the control does to the
// selected objects.
enum TfrxFormatTag {
    ftgFontName = 0,
    ftgFontSize = 1,
    ftgBold = 2,
    ftgItalic = 3,
    ftgUnderline = 4,
    ftgFontColor = 5,
    ftgHAlignLeft = 7,
    ftgHAlignCenter = 8,
    ftgHAlignRight = 9,
    ftgHAlignBlock = 10,
    ftgVAlignTop = 11,
    ftgVAlignCenter = 12,
    ftgVAlignBottom = 13,
    ftgFrameTop = 20,
    ftgFrameBottom = 21,
    ftgFrameLeft = 22,
    ftgFrameRight = 23,
    ftgFrameAll = 24,
    ftgFrameNone = 25,
    ftgFillColor = 26,
    ftgFrameColor = 27,
    ftgFrameStyle = 28,
    ftgFrameWidth = 29,
    ftgRotation = 30,
    ftgFitToGrid = 31,
    ftgFrameEditor = 32,
    ftgStyle = 33,
    ftgFontDialog = 43,
    ftgFillEditor = 44
};

// What one control gives: a text (font name, size, frame width, style name), a number (colour,
// rotation, frame style) or whether a toggle button is down.
struct TfrxFormatValue {
    QString Text;
    int Number = 0;
    bool Down = false;
};

// The state the Text and Frame toolbars show for a selection: that of its first object.
struct TfrxFormatState {
    QString FontName;
    int FontSize = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HAlign = -1; // -1: not a text object
    int VAlign = -1;
    bool FrameTop = false;
    bool FrameBottom = false;
    bool FrameLeft = false;
    bool FrameRight = false;
    QString Style;
};

// The formatting toolbars' actions on the selection, and the sample format that every text object
// changed by them becomes and that new text objects receive.
class TfrxFormatCommands
{
public:
    TfrxFormatCommands();
    ~TfrxFormatCommands();

    // Applies the control's action to every selected object that may be modified; returns
    // whether anything changed. Width texts are read like template floats (either decimal
    // separator); a value that is not a positive finite number changes nothing. An empty style
    // name (the style box's first entry) clears the style. Fit to Grid and the three dialogs have
    // functions of their own below: their tags change nothing here.
    bool Apply(TfrxFormatTag tag, const TfrxFormatValue &value, const QList<TfrxComponent *> &selection);
    // Fit to Grid, for the selected bands and views: position and size rounded to the nearest grid
    // multiples; a size of 0 becomes one step. Objects restricted from moving keep their place,
    // from sizing their size; grid steps that are not positive finite numbers change nothing.
    bool FitToGrid(const QList<TfrxComponent *> &selection, double gridX, double gridY);
    // The results of the frame editor, the font dialog and the fill editor, given to all.
    bool ApplyFrame(const TfrxFrame &frame, const QList<TfrxComponent *> &selection);
    bool ApplyFont(const TfrxFont &font, const QList<TfrxComponent *> &selection);
    bool ApplyFill(const TfrxCustomFill &fill, const QList<TfrxComponent *> &selection);

    // Gives a new text object the sample format (font, alignment, frame, fill, rotation).
    void ApplySample(TfrxCustomMemoView *memo) const;
    static TfrxFormatState StateOf(const TfrxComponent *object);

private:
    std::unique_ptr<TfrxMemoView> FSample;
};
