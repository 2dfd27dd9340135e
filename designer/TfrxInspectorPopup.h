#pragma once

#include <QListWidget>

class TfrxPropertyEditor;

// The drop-down list of a property's values: at most eight rows high, as wide as its widest
// entry, drawn by the editor when it draws its own entries. A click or Enter chooses an entry.
class TfrxInspectorPopup : public QListWidget
{
    Q_OBJECT

public:
    explicit TfrxInspectorPopup(QWidget *parent = nullptr);

    // Fills the list from the editor's values and shows it under the rectangle (global
    // coordinates), with the current value selected.
    void Open(TfrxPropertyEditor &editor, const QRect &below, int itemHeight);

signals:
    void Chosen(const QString &value);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Choose(QListWidgetItem *item);

    TfrxPropertyEditor *FEditor = nullptr;
};
