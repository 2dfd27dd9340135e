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

    TfrxDesignerSettings Settings() const;
    bool RestoreDefaults() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
