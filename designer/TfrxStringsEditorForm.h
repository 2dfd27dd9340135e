#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// A plain editor of the lines of a string list property.
class TfrxStringsEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxStringsEditorForm(const QStringList &lines, QWidget *parent = nullptr);

    // One entry per line; a final line break makes no extra empty line.
    QStringList Lines() const;

private:
    QPlainTextEdit *FText;
};
