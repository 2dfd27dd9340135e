#pragma once

class QDialog;
class QDialogButtonBox;

// The OK and Cancel buttons of an editor dialog, captioned from the string table, named "OkB" and
// "CancelB" and wired to accept and reject.
QDialogButtonBox *zorOkCancelButtons(QDialog *dialog);
