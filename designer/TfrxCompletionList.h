#pragma once

#include <QListWidget>

// The script editor's completion list: names offered at the caret, drawn by the editor itself in
// the script font. Enter or a double click chooses a name; Escape or leaving the list closes it.
class TfrxCompletionList : public QListWidget
{
    Q_OBJECT

public:
    explicit TfrxCompletionList(QWidget *parent);

    // Shows the names (sorted, each once) with the list's top-left corner at `at` (parent
    // coordinates), kept inside the parent, and takes the focus.
    void Open(const QStringList &names, const QPoint &at, const QFont &font);

    // The dotted expression that ends a line's text before the caret, as "Report.Pages" or
    // "Memo1.Font.": read backwards over names and dots, passing quoted strings and groups in
    // parentheses whole, up to the first character that cannot belong to it.
    static QString Expression(const QString &textBeforeCaret);

signals:
    void Chosen(const QString &name);
    void Closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void Close();
    void ChooseCurrent();
};
