#pragma once

#include "TfrxFormatCommands.h"

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QMainWindow;
class QToolBar;
class TfrxColorButton;

// The Text, Frame and Alignment palette toolbars: their boxes and buttons, each carrying the tag
// of what it does to the selection. They ask for the work through signals and show the state of
// the selection's first object.
class TfrxFormatToolbars : public QObject
{
    Q_OBJECT

public:
    // Creates the toolbars in the window; gridActions are Show Grid, Align to Grid and Fit to
    // Grid, which open the alignment palette.
    TfrxFormatToolbars(QMainWindow *window, const QList<QAction *> &gridActions);

    QToolBar *TextBar() const { return FTextBar; }
    QToolBar *FrameBar() const { return FFrameBar; }
    QToolBar *AlignBar() const { return FAlignBar; }
    void SetState(const TfrxFormatState &state);
    // The names of the report's styles for the style box.
    void SetStyles(const QStringList &names);
    // The value the control of a tag holds now.
    TfrxFormatValue Value(TfrxFormatTag tag) const;
    void SetEnabled(bool enabled);

signals:
    void FormatRequested(int tag);
    void FontDialogRequested();
    void AlignRequested(int command);

private:
    void CreateTextBar(QMainWindow *window);
    void CreateFrameBar(QMainWindow *window);
    void CreateAlignBar(QMainWindow *window, const QList<QAction *> &gridActions);
    QAction *AddTagButton(QToolBar *bar, TfrxFormatTag tag, const char *icon, const char *hintKey, bool checkable);
    void AddRotationButton();
    void AddFrameStyleButton();

    QToolBar *FTextBar = nullptr;
    QToolBar *FFrameBar = nullptr;
    QToolBar *FAlignBar = nullptr;
    QFontComboBox *FFontName = nullptr;
    QComboBox *FFontSize = nullptr;
    QComboBox *FStyle = nullptr;
    QComboBox *FFrameWidth = nullptr;
    TfrxColorButton *FFontColor = nullptr;
    TfrxColorButton *FFillColor = nullptr;
    TfrxColorButton *FFrameColor = nullptr;
    QHash<int, QAction *> FTagActions;
    int FRotation = 0;
    int FFrameStyle = 0;
    bool FUpdating = false;
};
