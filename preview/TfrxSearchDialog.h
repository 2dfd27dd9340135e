#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "Find Text": the text to find, case sensitivity and whether to start at the first page. The
// text and the case option of the last search are shared by every preview of the process. The
// designer's Replace shows a row for the replacement as well.
class TfrxSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxSearchDialog(QWidget *parent = nullptr, bool replace = false);

    QString Text() const;
    QString ReplaceText() const;
    void SetFromTopEnabled(bool enabled);
    bool CaseSensitive() const;
    bool FromTop() const;

    void accept() override;

    // The last search of the process.
    static QString LastText();
    static bool LastCaseSensitive();

private:
    QLineEdit *TextE;
    QLineEdit *ReplaceE;
    QCheckBox *CaseCB;
    QCheckBox *TopCB;
};
