#include "TfrxFormatToolbars.h"

#include "TfrxAlignmentCommands.h"
#include "TfrxColorButton.h"
#include "TfrxResources.h"
#include "zorDesignerIcons.h"
#include "zorTypes.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

QToolBar *NewBar(QMainWindow *window, const char *objectName, const char *titleKey)
{
    auto *bar = new QToolBar(Text(titleKey), window);
    bar->setObjectName(QLatin1String(objectName));
    bar->setIconSize(QSize(16, 16));
    return bar;
}

// The alignment palette: command, picture, caption key.
struct AlignButton {
    TfrxAlignCommand Command;
    const char *Icon;
    const char *Key;
};
const AlignButton alignButtons[] = {
    {acAlignLeft, "alignLeft", "2308"},     {acAlignMiddle, "alignMiddle", "2309"},
    {acAlignRight, "alignRight", "2310"},   {acAlignTop, "alignTop", "2311"},
    {acAlignCenter, "alignCenter", "2312"}, {acAlignBottom, "alignBottom", "2313"},
    {acSpaceHorz, "spaceHorz", "2314"},     {acSpaceVert, "spaceVert", "2315"},
    {acCenterHorz, "centerHorz", "2316"},   {acCenterVert, "centerVert", "2317"},
    {acSameWidth, "sameWidth", "2318"},     {acSameHeight, "sameHeight", "2319"},
};

const char *const frameWidths[] = {"0.1", "0.5", "1", "1.5", "2", "3", "4", "5", "6", "8", "10"};

} // namespace

TfrxFormatToolbars::TfrxFormatToolbars(QMainWindow *window, const QList<QAction *> &gridActions) : QObject(window)
{
    CreateTextBar(window);
    CreateFrameBar(window);
    CreateAlignBar(window, gridActions);
}

QAction *TfrxFormatToolbars::AddTagButton(QToolBar *bar, TfrxFormatTag tag, const char *icon, const char *hintKey,
                                          bool checkable)
{
    QAction *action = bar->addAction(zorDesignerIcon(icon), Text(hintKey));
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, tag] {
        if (!FUpdating)
            emit FormatRequested(tag);
    });
    FTagActions.insert(tag, action);
    return action;
}

void TfrxFormatToolbars::CreateTextBar(QMainWindow *window)
{
    FTextBar = NewBar(window, "TextToolBar", "2390");
    FStyle = new QComboBox(FTextBar);
    FStyle->setToolTip(Text("2321"));
    FStyle->setMinimumContentsLength(10);
    FTextBar->addWidget(FStyle);
    connect(FStyle, &QComboBox::activated, this, [this] { emit FormatRequested(ftgStyle); });
    FFontName = new QFontComboBox(FTextBar);
    FFontName->setToolTip(Text("2322"));
    FTextBar->addWidget(FFontName);
    connect(FFontName, &QComboBox::activated, this, [this] { emit FormatRequested(ftgFontName); });
    FFontSize = new QComboBox(FTextBar);
    FFontSize->setEditable(true);
    FFontSize->setToolTip(Text("2323"));
    for (int size : {5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        FFontSize->addItem(QString::number(size));
    FFontSize->setMinimumContentsLength(3);
    FTextBar->addWidget(FFontSize);
    // Choosing an entry or pressing Enter in the box applies the size.
    connect(FFontSize, &QComboBox::activated, this, [this] { emit FormatRequested(ftgFontSize); });
    connect(FFontSize->lineEdit(), &QLineEdit::returnPressed, this, [this] { emit FormatRequested(ftgFontSize); });
    FTextBar->addSeparator();
    AddTagButton(FTextBar, ftgBold, "bold", "2324", true);
    AddTagButton(FTextBar, ftgItalic, "italic", "2325", true);
    AddTagButton(FTextBar, ftgUnderline, "underline", "2326", true);
    QAction *fontDialog = FTextBar->addAction(zorDesignerIcon("font"), Text("2461"));
    connect(fontDialog, &QAction::triggered, this, &TfrxFormatToolbars::FontDialogRequested);
    FFontColor = new TfrxColorButton(zorDesignerIcon("fontColor"), Text("2327"), zor::clBlack, FTextBar);
    connect(FFontColor, &TfrxColorButton::ColorChosen, this, [this] { emit FormatRequested(ftgFontColor); });
    FTextBar->addWidget(FFontColor);
    AddRotationButton();
    FTextBar->addSeparator();
    auto *horizontal = new QActionGroup(this);
    horizontal->addAction(AddTagButton(FTextBar, ftgHAlignLeft, "textLeft", "2330", true));
    horizontal->addAction(AddTagButton(FTextBar, ftgHAlignCenter, "textCenter", "2331", true));
    horizontal->addAction(AddTagButton(FTextBar, ftgHAlignRight, "textRight", "2332", true));
    horizontal->addAction(AddTagButton(FTextBar, ftgHAlignBlock, "textBlock", "2333", true));
    FTextBar->addSeparator();
    auto *vertical = new QActionGroup(this);
    vertical->addAction(AddTagButton(FTextBar, ftgVAlignTop, "textTop", "2334", true));
    vertical->addAction(AddTagButton(FTextBar, ftgVAlignCenter, "textMiddle", "2335", true));
    vertical->addAction(AddTagButton(FTextBar, ftgVAlignBottom, "textBottom", "2336", true));
}

void TfrxFormatToolbars::AddRotationButton()
{
    auto *button = new QToolButton(FTextBar);
    button->setIcon(zorDesignerIcon("rotation"));
    button->setToolTip(Text("2329"));
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    const int angles[] = {0, 45, 90, 180, 270};
    for (int i = 0; i < 5; ++i) {
        menu->addAction(Text(QByteArray::number(2456 + i).constData()), this, [this, angle = angles[i]] {
            FRotation = angle;
            emit FormatRequested(ftgRotation);
        });
    }
    button->setMenu(menu);
    FTextBar->addWidget(button);
}

void TfrxFormatToolbars::CreateFrameBar(QMainWindow *window)
{
    FFrameBar = NewBar(window, "FrameToolBar", "2391");
    AddTagButton(FFrameBar, ftgFrameTop, "frameTop", "2338", true);
    AddTagButton(FFrameBar, ftgFrameBottom, "frameBottom", "2339", true);
    AddTagButton(FFrameBar, ftgFrameLeft, "frameLeft", "2340", true);
    AddTagButton(FFrameBar, ftgFrameRight, "frameRight", "2341", true);
    FFrameBar->addSeparator();
    AddTagButton(FFrameBar, ftgFrameAll, "frameAll", "2342", false);
    AddTagButton(FFrameBar, ftgFrameNone, "frameNone", "2343", false);
    FFrameBar->addSeparator();
    FFillColor = new TfrxColorButton(zorDesignerIcon("fillColor"), Text("2345"), zor::clTransparent, FFrameBar);
    connect(FFillColor, &TfrxColorButton::ColorChosen, this, [this] { emit FormatRequested(ftgFillColor); });
    FFrameBar->addWidget(FFillColor);
    FFrameColor = new TfrxColorButton(zorDesignerIcon("frameColor"), Text("2346"), zor::clBlack, FFrameBar);
    connect(FFrameColor, &TfrxColorButton::ColorChosen, this, [this] { emit FormatRequested(ftgFrameColor); });
    FFrameBar->addWidget(FFrameColor);
    AddFrameStyleButton();
    FFrameWidth = new QComboBox(FFrameBar);
    FFrameWidth->setEditable(true);
    FFrameWidth->setToolTip(Text("2348"));
    for (const char *width : frameWidths)
        FFrameWidth->addItem(QLocale().toString(QByteArray(width).toDouble()));
    FFrameWidth->setMinimumContentsLength(3);
    FFrameBar->addWidget(FFrameWidth);
    connect(FFrameWidth, &QComboBox::activated, this, [this] { emit FormatRequested(ftgFrameWidth); });
    connect(FFrameWidth->lineEdit(), &QLineEdit::returnPressed, this, [this] { emit FormatRequested(ftgFrameWidth); });
}

void TfrxFormatToolbars::AddFrameStyleButton()
{
    auto *button = new QToolButton(FFrameBar);
    button->setIcon(zorDesignerIcon("frameStyle"));
    button->setToolTip(Text("2347"));
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    const Qt::PenStyle pens[] = {Qt::SolidLine, Qt::DashLine,          Qt::DotLine, Qt::DashDotLine,
                                 Qt::DashDotDotLine, Qt::SolidLine, Qt::DotLine, Qt::SolidLine};
    for (int style = zor::fsSolid; style <= zor::fsSquare; ++style) {
        QPixmap sample(48, 12);
        sample.fill(Qt::transparent);
        QPainter painter(&sample);
        painter.setPen(QPen(Qt::black, style == zor::fsSquare ? 3 : 1, pens[style]));
        painter.drawLine(2, style == zor::fsDouble ? 4 : 6, 46, style == zor::fsDouble ? 4 : 6);
        if (style == zor::fsDouble)
            painter.drawLine(2, 8, 46, 8);
        painter.end();
        menu->addAction(QIcon(sample), QString(), this, [this, style] {
            FFrameStyle = style;
            emit FormatRequested(ftgFrameStyle);
        });
    }
    button->setMenu(menu);
    FFrameBar->addWidget(button);
}

void TfrxFormatToolbars::CreateAlignBar(QMainWindow *window, const QList<QAction *> &gridActions)
{
    FAlignBar = NewBar(window, "AlignToolBar", "2392");
    FAlignBar->addActions(gridActions);
    FAlignBar->addSeparator();
    for (const AlignButton &button : alignButtons) {
        QAction *action = FAlignBar->addAction(zorDesignerIcon(button.Icon), Text(button.Key));
        connect(action, &QAction::triggered, this, [this, command = button.Command] { emit AlignRequested(command); });
        if (button.Command == acAlignBottom || button.Command == acSpaceVert || button.Command == acCenterVert)
            FAlignBar->addSeparator();
    }
}

void TfrxFormatToolbars::SetStyles(const QStringList &names)
{
    FStyle->clear();
    FStyle->addItem(Text("dsNoStyle"));
    FStyle->addItems(names);
}

void TfrxFormatToolbars::SetState(const TfrxFormatState &state)
{
    FUpdating = true;
    if (!state.FontName.isEmpty())
        FFontName->setCurrentFont(QFont(state.FontName));
    if (state.FontSize > 0)
        FFontSize->setCurrentText(QString::number(state.FontSize));
    const std::pair<int, bool> checks[] = {
        {ftgBold, state.Bold},
        {ftgItalic, state.Italic},
        {ftgUnderline, state.Underline},
        {ftgHAlignLeft, state.HAlign == 0},
        {ftgHAlignCenter, state.HAlign == 2},
        {ftgHAlignRight, state.HAlign == 1},
        {ftgHAlignBlock, state.HAlign == 3},
        {ftgVAlignTop, state.VAlign == 0},
        {ftgVAlignCenter, state.VAlign == 2},
        {ftgVAlignBottom, state.VAlign == 1},
        {ftgFrameTop, state.FrameTop},
        {ftgFrameBottom, state.FrameBottom},
        {ftgFrameLeft, state.FrameLeft},
        {ftgFrameRight, state.FrameRight},
    };
    for (const auto &[tag, on] : checks)
        FTagActions.value(tag)->setChecked(on);
    const int style = FStyle->findText(state.Style);
    FStyle->setCurrentIndex(style > 0 ? style : 0);
    FUpdating = false;
}

TfrxFormatValue TfrxFormatToolbars::Value(TfrxFormatTag tag) const
{
    TfrxFormatValue value;
    switch (tag) {
    case ftgFontName:
        value.Text = FFontName->currentFont().family();
        break;
    case ftgFontSize:
        value.Text = FFontSize->currentText();
        break;
    case ftgFontColor:
        value.Number = FFontColor->Color();
        break;
    case ftgFillColor:
        value.Number = FFillColor->Color();
        break;
    case ftgFrameColor:
        value.Number = FFrameColor->Color();
        break;
    case ftgFrameStyle:
        value.Number = FFrameStyle;
        break;
    case ftgFrameWidth:
        value.Text = FFrameWidth->currentText();
        break;
    case ftgRotation:
        value.Number = FRotation;
        break;
    case ftgStyle:
        value.Text = FStyle->currentIndex() > 0 ? FStyle->currentText() : QString();
        break;
    default:
        if (const QAction *action = FTagActions.value(tag))
            value.Down = action->isChecked();
        break;
    }
    return value;
}

void TfrxFormatToolbars::SetEnabled(bool enabled)
{
    FTextBar->setEnabled(enabled);
    FFrameBar->setEnabled(enabled);
    FAlignBar->setEnabled(enabled);
}
