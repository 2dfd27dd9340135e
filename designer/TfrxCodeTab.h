#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QComboBox;
class QSplitter;
class QToolBar;
class TfrxSyntaxMemo;

// The designer's code tab: a toolbar with the script file buttons, the language box and the
// debugger's buttons above the script editor, and room below the editor for the watch list.
class TfrxCodeTab : public QWidget
{
    Q_OBJECT

public:
    // The actions are the designer's own commands; those that only make sense while the code tab
    // has the focus (tracing, evaluating, breakpoints) get their shortcuts scoped to it.
    TfrxCodeTab(const QList<QAction *> &fileActions, const QList<QAction *> &debugActions,
                const QList<QAction *> &localActions, QWidget *parent = nullptr);

    TfrxSyntaxMemo *Memo() const { return FMemo; }
    QToolBar *ToolBar() const { return FToolBar; }
    // Shows a language in the box and colours the script for it, without signalling a choice.
    void SetLanguage(const QString &name);
    QString Language() const;
    // Puts a widget under the editor (the watch list), in a splitter the operator can move.
    void SetBottomWidget(QWidget *widget, int height);

signals:
    // The operator chose a language in the box.
    void LanguageChosen(const QString &name);

private:
    TfrxSyntaxMemo *FMemo;
    QToolBar *FToolBar;
    QComboBox *FLanguageBox;
    QSplitter *FSplitter;
};
