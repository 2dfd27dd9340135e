#include "TfrxReportEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxCustomPrinter.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxPrinters.h"
#include "TfrxPropertyChecks.h"
#include "TfrxReport.h"
#include "TfrxReportInheritance.h"
#include "TfrxReportOptions.h"
#include "zorDialogKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Duplicates = TfrxReportInheritance::Duplicates;

const TfrxPropertyChecks::Field reportChecks[] = {
    {"PrintOptions.Collate", "4705"},
    {"EngineOptions.DoublePass", "4708"},
    {"EngineOptions.PrintIfEmpty", "4709"},
};

// The one-line texts of the description, by field of the report options.
struct TextField
{
    const char *name;
    const char *caption;
    QString TfrxReportOptions::*field;
};

const TextField descriptionFields[] = {
    {"NameE", "4711", &TfrxReportOptions::Name},
    {"AuthorE", "4714", &TfrxReportOptions::Author},
};
const TextField versionFields[] = {
    {"MajorE", "4715", &TfrxReportOptions::VersionMajor},
    {"MinorE", "4716", &TfrxReportOptions::VersionMinor},
    {"ReleaseE", "4717", &TfrxReportOptions::VersionRelease},
    {"BuildE", "4718", &TfrxReportOptions::VersionBuild},
};

// A date-time value of the report options (days since 30 December 1899) in the user's form.
QString dateTimeText(double value)
{
    const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0));
    return QLocale().toString(origin.addMSecs(qint64(value * 86400000.0)), QLocale::ShortFormat);
}

QString printerCaption(const TfrxReportEditorForm::Printer &printer)
{
    if (printer.port.isEmpty())
        return printer.name;
    return printer.name + u' ' + zorText("rePrnOnPort") + u' ' + printer.port;
}

} // namespace

struct TfrxReportEditorForm::Private
{
    Private(TfrxReportEditorForm *form, TfrxCustomDesigner &owner, const QList<Printer> &offered)
        : q(form), designer(owner), report(owner.Report()), printers(offered)
    {
    }

    TfrxReportEditorForm *q;
    TfrxCustomDesigner &designer;
    TfrxReport &report;
    QList<Printer> printers;
    bool inheritanceChanged = false;

    QListWidget *printersLB = nullptr;
    QSpinBox *copiesE = nullptr;
    QLineEdit *passwordE = nullptr;
    std::unique_ptr<TfrxPropertyChecks> checks;
    QList<QLineEdit *> textEdits; // descriptionFields, then versionFields
    QPlainTextEdit *descriptionM = nullptr;
    QRadioButton *keepRB = nullptr;
    QRadioButton *detachRB = nullptr;
    QRadioButton *inheritRB = nullptr;
    QLineEdit *folderE = nullptr;
    QListWidget *templatesLB = nullptr;

    QWidget *generalTab();
    QWidget *descriptionTab();
    QWidget *inheritanceTab();
    QLineEdit *textEdit(const TextField &f, QFormLayout *layout, QWidget *parent);
    void fillTemplates();
    void browseFolder();

    bool changeInheritance();
    void writeGeneral();
    void writeDescription();
};

QWidget *TfrxReportEditorForm::Private::generalTab()
{
    auto *tab = new QWidget(q);
    auto *printerBox = new QGroupBox(zorText("4702"), tab);
    printersLB = new QListWidget(printerBox);
    printersLB->setObjectName(QStringLiteral("PrintersLB"));
    printersLB->addItem(zorText("prDefault"));
    for (const Printer &printer : std::as_const(printers))
        printersLB->addItem(printerCaption(printer));
    printersLB->setCurrentRow(0);
    for (qsizetype i = 0; i < printers.size(); ++i)
        if (printers[i].name.compare(report.PrintOptions()->Printer, Qt::CaseInsensitive) == 0)
            printersLB->setCurrentRow(int(i) + 1);
    printersLB->setMinimumHeight(printersLB->fontMetrics().lineSpacing() * 6);
    (new QVBoxLayout(printerBox))->addWidget(printersLB);

    checks = std::make_unique<TfrxPropertyChecks>(&report, reportChecks, tab);
    auto *copiesBox = new QGroupBox(zorText("4703"), tab);
    copiesE = new QSpinBox(copiesBox);
    copiesE->setObjectName(QStringLiteral("CopiesE"));
    copiesE->setRange(1, 9999);
    copiesE->setValue(std::max(1, report.PrintOptions()->Copies));
    auto *copies = new QFormLayout(copiesBox);
    copies->addRow(zorText("4704"), copiesE);
    copies->addRow(checks->Boxes()[0]);

    auto *otherBox = new QGroupBox(zorText("4706"), tab);
    passwordE = new QLineEdit(report.ReportOptions()->Password, otherBox);
    passwordE->setObjectName(QStringLiteral("PasswordE"));
    passwordE->setEchoMode(QLineEdit::Password);
    // A password the host keeps to itself is not the operator's to change.
    passwordE->setEnabled(!report.HasHiddenPassword());
    auto *other = new QFormLayout(otherBox);
    other->addRow(checks->Boxes()[1]);
    other->addRow(checks->Boxes()[2]);
    other->addRow(zorText("4707"), passwordE);

    auto *layout = new QGridLayout(tab);
    layout->addWidget(printerBox, 0, 0, 2, 1);
    layout->addWidget(copiesBox, 0, 1);
    layout->addWidget(otherBox, 1, 1);
    layout->setColumnStretch(0, 1);
    return tab;
}

QLineEdit *TfrxReportEditorForm::Private::textEdit(const TextField &f, QFormLayout *layout, QWidget *parent)
{
    auto *edit = new QLineEdit(report.ReportOptions()->*f.field, parent);
    edit->setObjectName(QLatin1String(f.name));
    layout->addRow(zorText(f.caption), edit);
    textEdits.append(edit);
    return edit;
}

QWidget *TfrxReportEditorForm::Private::descriptionTab()
{
    auto *tab = new QWidget(q);
    auto *form = new QFormLayout;
    for (const TextField &f : descriptionFields)
        textEdit(f, form, tab);
    descriptionM = new QPlainTextEdit(report.ReportOptions()->Description.join(u'\n'), tab);
    descriptionM->setObjectName(QStringLiteral("DescriptionM"));
    descriptionM->setTabChangesFocus(true);
    form->addRow(zorText("4712"), descriptionM);

    auto *versionBox = new QGroupBox(zorText("4721"), tab);
    auto *version = new QFormLayout(versionBox);
    for (const TextField &f : versionFields)
        textEdit(f, version, versionBox);
    auto *datesBox = new QWidget(tab);
    auto *dates = new QFormLayout(datesBox);
    dates->setContentsMargins(0, 0, 0, 0);
    dates->addRow(zorText("4719"), new QLabel(dateTimeText(report.ReportOptions()->CreateDate), datesBox));
    dates->addRow(zorText("4720"), new QLabel(dateTimeText(report.ReportOptions()->LastChange), datesBox));

    auto *layout = new QGridLayout(tab);
    layout->addLayout(form, 0, 0, 1, 2);
    layout->addWidget(versionBox, 1, 0);
    layout->addWidget(datesBox, 1, 1, Qt::AlignTop);
    return tab;
}

QWidget *TfrxReportEditorForm::Private::inheritanceTab()
{
    auto *tab = new QWidget(q);
    const bool inherited = !report.ParentReport().isEmpty();
    auto *state = new QLabel(
        inherited ? zorText("riInherited", {report.ParentReport()}) : zorText("riNotInherited"), tab);
    state->setObjectName(QStringLiteral("InheritanceL"));
    state->setWordWrap(true);

    auto *choice = new QGroupBox(zorText("4724"), tab);
    keepRB = new QRadioButton(zorText("4725"), choice);
    keepRB->setObjectName(QStringLiteral("KeepRB"));
    keepRB->setChecked(true);
    detachRB = new QRadioButton(zorText("4726"), choice);
    detachRB->setObjectName(QStringLiteral("DetachRB"));
    detachRB->setEnabled(inherited);
    inheritRB = new QRadioButton(zorText("4727"), choice);
    inheritRB->setObjectName(QStringLiteral("InheritRB"));

    const TfrxDesigner *component = TfrxDesigner::Instance();
    const QString folder = component != nullptr && !component->TemplateDir.isEmpty()
                               ? component->TemplateDir
                               : QCoreApplication::applicationDirPath();
    folderE = new QLineEdit(QDir::toNativeSeparators(folder), choice);
    folderE->setObjectName(QStringLiteral("FolderE"));
    folderE->installEventFilter(q);
    auto *browse = new QPushButton(zorText("4722"), choice);
    browse->setObjectName(QStringLiteral("BrowseB"));
    browse->setAutoDefault(false);
    templatesLB = new QListWidget(choice);
    templatesLB->setObjectName(QStringLiteral("TemplatesLB"));
    fillTemplates();

    auto *layout = new QGridLayout(choice);
    layout->addWidget(keepRB, 0, 0, 1, 3);
    layout->addWidget(detachRB, 1, 0, 1, 3);
    layout->addWidget(inheritRB, 2, 0, 1, 3);
    layout->addWidget(new QLabel(zorText("4728"), choice), 3, 0);
    layout->addWidget(folderE, 3, 1);
    layout->addWidget(browse, 3, 2);
    layout->addWidget(templatesLB, 4, 0, 1, 3);
    layout->setColumnStretch(1, 1);

    auto *main = new QVBoxLayout(tab);
    main->addWidget(state);
    main->addWidget(choice, 1);
    connect(browse, &QPushButton::clicked, q, [this] { browseFolder(); });
    // Choosing a template is choosing to inherit from it.
    connect(templatesLB, &QListWidget::itemClicked, q, [this] { inheritRB->setChecked(true); });
    return tab;
}

// The templates of the folder typed or chosen, by file name.
void TfrxReportEditorForm::Private::fillTemplates()
{
    const TfrxDesigner *component = TfrxDesigner::Instance();
    const QString extension = component != nullptr ? component->TemplatesExt : QStringLiteral("ze3");
    templatesLB->clear();
    const QDir folder(QDir::fromNativeSeparators(folderE->text().trimmed()));
    templatesLB->addItems(
        folder.entryList({QStringLiteral("*.") + extension}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TfrxReportEditorForm::Private::browseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(q, zorText("4728"), folderE->text());
    if (folder.isEmpty())
        return;
    folderE->setText(QDir::toNativeSeparators(folder));
    fillTemplates();
}

// Detaches or inherits as chosen; false when the report stays as it was (nothing chosen to
// inherit from, a template that cannot be used, or the operator cancelled).
bool TfrxReportEditorForm::Private::changeInheritance()
{
    if (detachRB->isChecked()) {
        TfrxReportInheritance::Detach(report);
        return true;
    }
    const QListWidgetItem *chosen = templatesLB->currentItem();
    if (!inheritRB->isChecked() || chosen == nullptr)
        return false;
    const QString file = QDir(QDir::fromNativeSeparators(folderE->text().trimmed())).filePath(chosen->text());
    bool cancelled = false;
    const auto ask = [this, &cancelled](const QStringList &names) {
        const auto answer =
            TfrxDesignerDialogs::Current().Ask(q, zorText("6001", {names.join(QStringLiteral(", "))}));
        cancelled = answer == TfrxDesignerDialogs::Cancel;
        return answer == TfrxDesignerDialogs::Yes ? Duplicates::Delete
               : cancelled                        ? Duplicates::Cancel
                                                  : Duplicates::Rename;
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool inherited = TfrxReportInheritance::Inherit(report, file, Duplicates::Ask, ask);
    QApplication::restoreOverrideCursor();
    if (!inherited && !cancelled)
        TfrxDesignerDialogs::Current().ShowError(q, zorText("dsCantLoad") + u'\n' + file);
    return inherited;
}

void TfrxReportEditorForm::Private::writeGeneral()
{
    const int row = printersLB->currentRow();
    const QString printer = row > 0 ? printers[row - 1].name : zorText("prDefault");
    report.PrintOptions()->Printer = printer;
    TfrxPrinters *installed = zorPrinters();
    installed->setPrinterIndex(row > 0 ? installed->IndexOf(printer) : -1);
    report.PrintOptions()->Copies = copiesE->value();
    checks->Write(&report);
    if (passwordE->isEnabled())
        report.ReportOptions()->Password = passwordE->text();
}

void TfrxReportEditorForm::Private::writeDescription()
{
    TfrxReportOptions *options = report.ReportOptions();
    qsizetype i = 0;
    for (const TextField &f : descriptionFields)
        options->*f.field = textEdits[i++]->text();
    for (const TextField &f : versionFields)
        options->*f.field = textEdits[i++]->text();
    const QString description = descriptionM->toPlainText();
    options->Description = description.isEmpty() ? QStringList() : description.split(u'\n');
}

QList<TfrxReportEditorForm::Printer> TfrxReportEditorForm::InstalledPrinters()
{
    QList<Printer> printers;
    const TfrxPrinters *installed = zorPrinters();
    for (int i = 0; const TfrxCustomPrinter *printer = installed->Items(i); ++i)
        printers.append({printer->Name(), printer->Port()});
    return printers;
}

TfrxReportEditorForm::TfrxReportEditorForm(TfrxCustomDesigner &designer, const QList<Printer> &printers,
                                           QWidget *parent)
    : QDialog(parent), d(std::make_unique<Private>(this, designer, printers))
{
    setObjectName(QStringLiteral("TfrxReportEditorForm"));
    setWindowTitle(zorText("4700"));
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PagesTC"));
    tabs->addTab(d->generalTab(), zorText("4701"));
    tabs->addTab(d->descriptionTab(), zorText("4710"));
    tabs->addTab(d->inheritanceTab(), zorText("4723"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(zorOkCancelButtons(this));
}

TfrxReportEditorForm::~TfrxReportEditorForm() = default;

bool TfrxReportEditorForm::InheritanceChanged() const
{
    return d->inheritanceChanged;
}

// Inheritance first: it reloads the report, and the values of the dialog are laid over the result.
// The reload empties the designer's undo list and clears its modified flag, so the change is
// recorded once the designer shows the reloaded report.
void TfrxReportEditorForm::accept()
{
    const bool wanted =
        d->detachRB->isChecked() || (d->inheritRB->isChecked() && d->templatesLB->currentItem());
    d->inheritanceChanged = d->changeInheritance();
    if (wanted && !d->inheritanceChanged)
        return;
    d->writeGeneral();
    d->writeDescription();
    if (d->inheritanceChanged) {
        d->designer.ReloadReport();
        d->designer.SetModified(true);
    }
    QDialog::accept();
}

// Enter in the folder box lists that folder's templates instead of closing the dialog.
bool TfrxReportEditorForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->folderE && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            d->fillTemplates();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
