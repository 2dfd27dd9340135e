#pragma once

#include <QWidget>

#include <memory>

class TfrxCustomDesigner;

// What a report text may refer to, on four tabs: the data sets with their fields, the report's
// variables and the system variables, the script functions by category, and the script classes
// with their members. Each entry gives the text to insert for it (a field as <Alias."Field">, a
// variable as <Name>, a function as its call skeleton). The expression editor and the variables
// editor embed it; the designer shows it as a tool window. Dragging an entry carries its text.
class TfrxDataTree : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxDataTree(TfrxCustomDesigner &designer, QWidget *parent = nullptr);
    ~TfrxDataTree() override;

    // Fills the data and variables tabs again from the report.
    void UpdateItems();
    // The insertion text of the selected entry; empty for categories, data sets and classes.
    QString InsertionText() const;
    // "Create field" and "Create caption", which govern dropping onto a page.
    bool CreateField() const;
    bool CreateCaption() const;
    // The scroll position of the tree shown, so that a dialog that embeds the tree can open it
    // where it was left.
    int ScrollPosition() const;
    void SetScrollPosition(int value);

signals:
    // An entry was double-clicked; text is its insertion text.
    void Activated(const QString &text);
    // The data tab was double-clicked while the report has no data sets: the report data dialog
    // is what the operator is after.
    void DataRequested();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
