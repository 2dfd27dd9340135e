#pragma once

#include "TfrxDesignerSettings.h"

#include <QDialog>

#include <memory>

// The designer options dialog: units and grid sizes, the workspace switches, band gap, the fonts
// of the code window and the text editor, and the colours. It edits a copy of the settings; the
// designer applies Settings() when the dialog is accepted. "Restore defaults" accepts the dialog
// with RestoreDefaults() set: the designer then writes the built-in layout into the store, restores
// itself from it and applies the dialog's values on top.
class TfrxOptionsEditor : public QDialog
{
    Q_OBJECT

public:
    // unitsEnabled: the units group (and its three grid sizes) may be changed; off on dialog pages.
    TfrxOptionsEditor(const TfrxDesignerSettings &settings, bool unitsEnabled, bool showStartupVisible,
                      QWidget *parent = nullptr);
    ~TfrxOptionsEditor() override;

    // The dialog's values; a grid size typed so that it is not usable keeps the value the dialog
    // was opened with.
    TfrxDesignerSettings Settings() const;
    bool RestoreDefaults() const;

    // OK and "Restore defaults" refuse to close while a grid size is not usable, and say which.
    void accept() override;

private:
    void restoreDefaults();

    struct Private;
    std::unique_ptr<Private> d;
};
