#include "TfmMain.h"

#include "CalibrationSheet.h"
#include "CertificateChecks.h"
#include "CertificatePrinting.h"
#include "CertificateRecord.h"
#include "CertificateTemplateValues.h"
#include "DataLocations.h"
#include "zorCodePage.h"
#include "HoursTable.h"
#include "PrintWarnings.h"
#include "ReportLibrary.h"
#include "TBlankArea.h"
#include "TahomaFont.h"
#include "TIniFile.h"
#include "TOperatorDialogs.h"
#include "TPrintWarningsDialog.h"
#include "TPrinterSetupDialog.h"
#include "TfrxDesigner.h"
#include "TfrxPreviewBackdrop.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const QString caption = QStringLiteral("Свидетельство о профессии водителя (Зелта-автошкола)");
const QString notSaved = QStringLiteral("Файл не сохранен!");

constexpr int bottomStripHeight = 41;
constexpr int exitAreaWidth = 262;
constexpr int buttonColumnWidth = 101;
constexpr int splitterWidth = 3;

QPushButton *fixedButton(QWidget *parent, const QString &text, QRect geometry, const QFont &font)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

QString savedMessage(const QString &path) { return QStringLiteral("Файл сохранен : ") + path; }
QString unableToWrite(const QString &path) { return QStringLiteral("Unable to write to %1").arg(path); }

QString substitutionQuestion(const QString &characters)
{
    QStringList shown;
    for (const QChar c : characters)
        shown << QString(c);
    return QStringLiteral("Файл свидетельства не может хранить символы: %1\n"
                          "При сохранении они будут заменены знаком «?».\n\nСохранить файл?")
        .arg(shown.join(QStringLiteral(" ")));
}

// The page the certificate is printed on; none in a file that is no template.
TfrxReportPage *firstReportPage(const TfrxReport &report)
{
    for (TfrxComponent *child : report.Objects()) {
        if (auto *page = qobject_cast<TfrxReportPage *>(child))
            return page;
    }
    return nullptr;
}

} // namespace

TfmMain::TfmMain(TOperatorDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), FDialogs(dialogs), FReport(std::make_unique<TfrxReport>()),
      FDesigner(std::make_unique<TfrxDesigner>())
{
    registerReportLibrary();
    configureDesigner();
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(caption);
    setFont(tahoma(11));

    FBlank = new TBlankArea;
    FPictureArea = new QScrollArea;
    FPictureArea->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FPictureArea->setLineWidth(2);
    FPictureArea->setWidgetResizable(true);
    FPictureArea->setFocusPolicy(Qt::NoFocus);
    FPictureArea->setWidget(FBlank);

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->setHandleWidth(splitterWidth);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(FPictureArea);
    splitter->addWidget(createButtonColumn());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);

    auto *client = new QWidget;
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter, 1);
    layout->addWidget(createBottomStrip());
    setCentralWidget(client);

    createMenus();
    setTabOrder();
    connect(FBlank, &TBlankArea::hoursCellLeft, this, &TfmMain::edt_1Change);
    // Escape is the window's cancel key, like the "Выход" button.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    move(0, 0);
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

void TfmMain::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("Файл"));
    connect(file->addAction(QStringLiteral("Открыть")), &QAction::triggered, this, &TfmMain::N10Click);
    connect(file->addAction(QStringLiteral("Сохранить как...")), &QAction::triggered, this, &TfmMain::N2Click);
    FSaveAction = file->addAction(QStringLiteral("Сохранить"));
    FSaveAction->setEnabled(false);
    connect(FSaveAction, &QAction::triggered, this, &TfmMain::N3Click);
    connect(file->addAction(QStringLiteral("Выход")), &QAction::triggered, this, &QWidget::close);

    QMenu *print = menuBar()->addMenu(QStringLiteral("Печать"));
    connect(print->addAction(QStringLiteral("Очистить форму")), &QAction::triggered, this, &TfmMain::N6Click);
    FPrintAction = print->addAction(QStringLiteral("Печать свидетельства"));
    connect(FPrintAction, &QAction::triggered, this, &TfmMain::N7Click);
    connect(print->addAction(QStringLiteral("Настройка принтера...")), &QAction::triggered, this,
            &TfmMain::printerSetupClick);

    QMenu *help = menuBar()->addMenu(QStringLiteral("Помощь"));
    connect(help->addAction(QStringLiteral("О программе")), &QAction::triggered, this, &TfmMain::aboutClick);
}

QWidget *TfmMain::createButtonColumn()
{
    auto *column = new QWidget;
    column->setMinimumWidth(buttonColumnWidth);
    column->resize(buttonColumnWidth, 0);
    const QSize buttonSize(91, 97);
    QPushButton *print = fixedButton(column, QStringLiteral("ПЕЧАТЬ"), QRect(QPoint(6, 12), buttonSize), tahoma(13, true));
    QPushButton *clear = fixedButton(column, QStringLiteral("ОЧИСТИТЬ\nПОЛЯ"), QRect(QPoint(6, 115), buttonSize),
                                     tahoma(13, true));
    QPushButton *design = fixedButton(column, QStringLiteral("НАСТРОЙКА"), QRect(QPoint(6, 218), buttonSize),
                                      tahoma(11, true));
    print->setObjectName(QStringLiteral("Button1"));
    clear->setObjectName(QStringLiteral("Button2"));
    design->setObjectName(QStringLiteral("Button3"));
    connect(print, &QPushButton::clicked, this, [this] { FPrintAction->trigger(); });
    connect(clear, &QPushButton::clicked, this, &TfmMain::N6Click);
    connect(design, &QPushButton::clicked, this, &TfmMain::Button3Click);
    FColumnButtons = {print, clear, design};
    return column;
}

QWidget *TfmMain::createBottomStrip()
{
    FBottomStrip = new QWidget;
    FBottomStrip->setObjectName(QStringLiteral("BottomStrip"));
    FBottomStrip->setFixedHeight(bottomStripHeight);
    auto *layout = new QHBoxLayout(FBottomStrip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    auto *exitArea = new QWidget;
    exitArea->setFixedSize(exitAreaWidth, bottomStripHeight);
    layout->addWidget(exitArea);
    FExitButton = fixedButton(exitArea, QStringLiteral("Выход"), QRect(112, 5, 118, 25), font());
    FExitButton->setObjectName(QStringLiteral("BitBtn1"));
    FExitButton->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(FExitButton, &QPushButton::clicked, this, &QWidget::close);
    return FBottomStrip;
}

void TfmMain::setTabOrder()
{
    QList<QWidget *> chain{FBottomStrip, FExitButton};
    chain << FBlank->tabChain();
    for (QPushButton *button : FColumnButtons)
        chain << button;
    chain << FBottomStrip;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TfmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // At start no field has the focus: it rests on the bottom strip, and Tab goes to "Выход".
    if (!event->spontaneous() && !QApplication::focusWidget())
        FBottomStrip->setFocus(Qt::OtherFocusReason);
}

bool TfmMain::CorrectAll()
{
    const QString problem = CertificateChecks::firstProblem(FBlank->record());
    if (problem.isEmpty())
        return true;
    FDialogs.message(this, problem);
    return false;
}

bool TfmMain::edt_1Change()
{
    // A message box opened from here moves the focus again; that move must not start another run.
    if (FNormalising)
        return false;
    const QScopedValueRollback guard(FNormalising, true);
    HoursTable::Cells cells = FBlank->hoursCells();
    const HoursTable::Outcome outcome = HoursTable::normalise(cells);
    FBlank->setHoursCells(cells);
    if (!outcome.ok) {
        FDialogs.message(this, HoursTable::conversionError(outcome.failedText));
        return false;
    }
    FBlank->setTotal(HoursTable::formatShort(outcome.sum));
    return true;
}

void TfmMain::recomputeTotal()
{
    const HoursTable::Outcome outcome = HoursTable::sum(FBlank->hoursCells());
    if (!outcome.ok) {
        FDialogs.message(this, HoursTable::conversionError(outcome.failedText));
        return;
    }
    FBlank->setTotal(HoursTable::formatGeneral(outcome.sum));
}

void TfmMain::N6Click() { FBlank->setRecord(CertificateRecord::blank(QDate::currentDate())); }

void TfmMain::N10Click()
{
    const QString chosen = FDialogs.openFileName(this, dialogFolder());
    if (chosen.isEmpty())
        recomputeTotal();
    else
        openCertificate(chosen);
}

bool TfmMain::openCertificate(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    const std::optional<TIniFile> ini = TIniFile::load(path);
    if (!ini || !(ini->hasSection(CertificateFile::leftSection) || ini->hasSection(CertificateFile::tableSection))) {
        FDialogs.message(this, QStringLiteral("Файл не является файлом свидетельства!"));
        return false;
    }
    const CertificateRecord record = CertificateRecord::readFrom(*ini, QDate::currentDate());
    FBlank->setRecord(record);
    setWindowTitle(record.texts[4]);
    FileOpenName = path;
    FSaveAction->setEnabled(true);
    recomputeTotal();
    return true;
}

void TfmMain::N2Click()
{
    const QString path = FDialogs.saveFileName(this, dialogFolder());
    if (path.isEmpty()) {
        FDialogs.message(this, notSaved);
        return;
    }
    writeCertificate(QFileInfo(path).absoluteFilePath());
}

void TfmMain::N3Click()
{
    if (!FileOpenName.isEmpty())
        writeCertificate(FileOpenName);
}

// Updates the file in place: its other sections and keys stay; the new content replaces the old
// one whole or not at all.
void TfmMain::writeCertificate(const QString &path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    std::optional<TIniFile> ini = TIniFile::load(path);
    if (!ini) {
        FDialogs.message(this, unableToWrite(shownPath));
        return;
    }
    FBlank->record().writeTo(*ini);
    const QString lost = zorUnrepresentable(ini->text());
    if (!lost.isEmpty() && !FDialogs.confirm(this, substitutionQuestion(lost))) {
        FDialogs.message(this, notSaved);
        return;
    }
    if (!ini->save(path)) {
        FDialogs.message(this, unableToWrite(shownPath));
        return;
    }
    FDialogs.message(this, savedMessage(shownPath));
}

// Until a certificate was opened the dialogs start in the user's documents, not in the folder
// of the program, which an installed program's user cannot write to.
QString TfmMain::dialogFolder() const
{
    return FileOpenName.isEmpty() ? DataLocations::documentsFolder() : QFileInfo(FileOpenName).absolutePath();
}

DataLocations TfmMain::locations() const { return DataLocations(QCoreApplication::applicationDirPath()); }

TfmMain::~TfmMain() = default;

void TfmMain::N7Click()
{
    if (!CorrectAll() || !edt_1Change())
        return;
    const std::optional<DataLocations::Location> found = loadTemplate(TemplateUse::Printing);
    if (!found)
        return;
    const QStringList missing =
        CertificatePrinting::preprint(*FReport, CertificateTemplateValues::values(FBlank->record()));
    if (!missing.isEmpty())
        FDialogs.message(this, CertificatePrinting::missingObjectsMessage(missing));
    const TemplatePage page = *TemplatePage::of(*FReport);
    const QStringList warnings = PrintWarnings::find(page, PrintWarnings::printerOf(*FReport));
    if (!warnings.isEmpty() && TPrintWarningsDialog(warnings, this).exec() != QDialog::Accepted)
        return;
    // The preview can show the blank under the page, as the designer does, and print it on plain
    // paper for a test print.
    TfrxPreviewBackdrop::SetCurrent({FBlank->picture(), QRectF(QPointF(), page.PaperMm), found->path,
                                     QStringLiteral("Бланк"),
                                     QStringLiteral("Печатать бланк на чистом листе (пробная печать)")});
    FReport->ShowReport(true);
}

// The calibration sheet shows the fields of the template as it is now.
void TfmMain::printerSetupClick()
{
    if (!loadTemplate(TemplateUse::Printing))
        return;
    const CalibrationSheet sheet(*TemplatePage::of(*FReport));
    TPrinterSetupDialog dialog(sheet, FDialogs, this);
    dialog.exec();
}

// The template is read afresh for every print and every design, so changes saved in the designer
// take effect. Problems met while loading are shown; a template that cannot be opened stops the
// command, and so does one that is damaged (empty, cut short, not XML, of another kind) when
// printing: what was read of it would print a certificate with fields missing.
std::optional<DataLocations::Location> TfmMain::loadTemplate(TemplateUse use)
{
    const std::optional<DataLocations::Location> found = locations().findTemplate();
    if (!found) {
        FDialogs.message(this, locations().notFoundMessage());
        return std::nullopt;
    }
    const QString &path = found->path;
    const bool opened = FReport->LoadFromFile(path, false);
    const bool damaged = FReport->LoadFailed() || firstReportPage(*FReport) == nullptr;
    if (!opened || (use == TemplateUse::Printing && damaged)) {
        FDialogs.message(this, QStringLiteral("Не удалось загрузить шаблон печати: ") + path);
        return std::nullopt;
    }
    if (!FReport->Errors().isEmpty())
        FDialogs.message(this, CertificatePrinting::loadErrorsMessage(FReport->Errors()));
    return found;
}

void TfmMain::configureDesigner()
{
    TfrxDesigner &designer = *FDesigner;
    designer.DefaultScriptLanguage = QStringLiteral("PascalScript");
    designer.DefaultFont = QFont(QStringLiteral("Arial"));
    designer.DefaultFont.setPixelSize(13);
    designer.DefaultLeftMargin = designer.DefaultRightMargin = 10;
    designer.DefaultTopMargin = designer.DefaultBottomMargin = 10;
    designer.DefaultPaperSize = 9;
    designer.DefaultOrientation = zor::poPortrait;
    designer.Gradient = false;
    designer.GradientEnd = 11982554;
    designer.TemplatesExt = QStringLiteral("ze3");
    designer.MemoParentFont = false;
}

void TfmMain::Button3Click()
{
    const std::optional<DataLocations::Location> found = loadTemplate(TemplateUse::Designing);
    if (!found)
        return;
    // A template from a read-only place (the shipped one) is saved as the user's own copy, which
    // is looked for first from then on; a folder that cannot be made shows as a failed save.
    const QString target = locations().designTarget(*found);
    if (target != found->path) {
        QDir().mkpath(QFileInfo(target).absolutePath());
        FReport->SetFileName(target);
    }
    // The blank lies under the template's page, covering the whole paper, so that fitting a field
    // to its line on the blank is a matter of looking.
    QRectF paper(0, 0, 210, 148);
    if (const TfrxReportPage *page = firstReportPage(*FReport))
        paper.setSize(QSizeF(page->PaperWidth(), page->PaperHeight()));
    FDesigner->Backdrop = {FBlank->picture(), paper, target, QStringLiteral("Бланк")};
    FReport->DesignReport(true, false);
}

void TfmMain::aboutClick()
{
    FDialogs.message(this, QStringLiteral("%1\nВерсия %2\n\nБиблиотека отчётов, версия %3")
                               .arg(caption, QCoreApplication::applicationVersion(),
                                    QStringLiteral(ZOR_LIBRARY_VERSION)));
}
