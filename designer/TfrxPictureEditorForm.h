#pragma once

#include <QDialog>

#include <memory>

class TfrxPictureView;

// The picture editor: Load (PNG, JPEG, BMP and icons, read as picture objects read them), Copy,
// Paste and Clear, the picture shown to fit, and its size in a status line. It edits a copy of
// the view's picture; ApplyTo gives the result to a view.
class TfrxPictureEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxPictureEditorForm(const TfrxPictureView &view, QWidget *parent = nullptr);
    ~TfrxPictureEditorForm() override;

    QImage Picture() const;
    // The picture as encoded bytes (those it was loaded from, PNG for a pasted one), and into a
    // view, which then has them as if loaded itself.
    QByteArray PictureData() const;
    void ApplyTo(TfrxPictureView &view) const;
    // The filter of the Load dialog.
    static QString FileFilter();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
