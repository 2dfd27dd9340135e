#pragma once

#include <QDialog>

#include <memory>

class TfrxStyles;

// The style editor: the report's styles in a list whose names are edited in place, with Add
// (a new "StyleN", then edited), Delete, Edit (rename), the colour, font colour, font, frame and
// "Default charset" of the chosen style, a sample, and Load and Save of style files (".fs3"). It
// edits a copy of the styles given; Styles() is the result.
class TfrxStyleEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxStyleEditorForm(const TfrxStyles &styles, QWidget *parent = nullptr);
    ~TfrxStyleEditorForm() override;

    const TfrxStyles &Styles() const;
    // The filter of the file dialogs, made of the string table's name for style files.
    static QString FileFilter();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Replaces the styles of a set (the report's) by copies of another's, names included.
void zorCopyStyles(const TfrxStyles &source, TfrxStyles &target);
