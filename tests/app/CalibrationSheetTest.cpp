// Fitting a printer to the blank: the "Настройка принтера" dialog stores each printer's correction,
// and the calibration sheet it prints holds the template's field boxes where the template puts
// them, moved by the printer's correction.
#include "CalibrationSheet.h"
#include "CupsSandbox.h"
#include "FakeDialogs.h"
#include "ModalAnswer.h"
#include "PrintingTestMain.h"
#include "ReportLibrary.h"
#include "TPrinterSetupDialog.h"
#include "TfmMain.h"
#include "TfrxMemoView.h"
#include "TfrxPrinterCalibration.h"
#include "TfrxReport.h"

#include <QAction>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString queue = QStringLiteral("ZorPDF");
constexpr int pixelsPerMm = 20;

QString outputOf(const QString &name)
{
    return spooler().socketPath().section(u'/', 0, -2) + QStringLiteral("/out/%1.pdf").arg(name);
}

// The printed sheet as a grey picture at 20 pixels a millimetre.
QImage rendered(const QString &pdf, const QTemporaryDir &folder)
{
    const QString base = folder.filePath(QStringLiteral("sheet"));
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(pixelsPerMm * 25.4), QStringLiteral("-gray"),
                       QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

// Whether ink lies within 0.1 mm of a point of the landscape page (mm from its corner); the
// spooler turns the page onto a portrait sheet, a point (x, y) standing at (y, 210 - x).
bool inkNear(const QImage &sheet, QPointF pageMm)
{
    const QPoint centre = (QPointF(pageMm.y(), 210 - pageMm.x()) * pixelsPerMm).toPoint();
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (sheet.valid(centre + QPoint(dx, dy)) && qGray(sheet.pixel(centre + QPoint(dx, dy))) < 160)
                return true;
    return false;
}

// The points of a box's left, right and bottom edges (its label sits along the top).
QList<QPointF> edgePoints(const QRectF &box)
{
    return {QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()),
            QPointF(box.center().x(), box.bottom())};
}

class CalibrationSheetPrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerReportLibrary();
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE), false));
        QFile::remove(outputOf(queue));
    }
    void TearDown() override { TfrxPrinterCalibration::Save(queue, {}); }

    // Prints the sheet and checks every field's box against where the template puts it, moved by
    // the correction.
    void expectBoxesAt(const TfrxPrinterCalibration &correction)
    {
        const CalibrationSheet sheet(*TemplatePage::of(report));
        QString error;
        ASSERT_TRUE(sheet.Print(queue, error)) << error.toStdString();
        ASSERT_TRUE(spooler().waitUntilPrinted(queue, outputOf(queue)));
        const QImage image = rendered(outputOf(queue), folder);
        ASSERT_FALSE(image.isNull());
        // For a person to judge: the sheet as printed, turned back to the blank's landscape.
        QDir().mkpath(QDir::temp().filePath(QStringLiteral("calib23")));
        image.transformed(QTransform().rotate(90))
            .scaledToWidth(2100, Qt::SmoothTransformation)
            .save(QDir::temp().filePath(QStringLiteral("calib23/calibration-sheet.png")));
        int boxes = 0;
        const double s = correction.Scale / 100;
        for (TfrxComponent *object : report.GetAllObjects()) {
            auto *memo = qobject_cast<TfrxMemoView *>(object);
            if (memo == nullptr)
                continue;
            ++boxes;
            // The template's page has 10 mm margins.
            const QRectF place(10 + memo->Left() / 3.77953, 10 + memo->Top() / 3.77953,
                               memo->Width() / 3.77953, memo->Height() / 3.77953);
            for (const QPointF &point : edgePoints(place)) {
                const QPointF moved = point * s + QPointF(correction.OffsetX, correction.OffsetY);
                EXPECT_TRUE(inkNear(image, moved))
                    << memo->Name().toStdString() << " at " << moved.x() << ", " << moved.y();
            }
        }
        EXPECT_EQ(boxes, 48);
    }

    QTemporaryDir folder;
    TfrxReport report;
};

TEST_F(CalibrationSheetPrint, HoldsTheFieldBoxesAtTheirTemplatePlaces)
{
    expectBoxesAt({});
}

TEST_F(CalibrationSheetPrint, PrintedAgainAfterACorrectionShowsTheCorrection)
{
    const TfrxPrinterCalibration correction{2.5, -1.5, 101};
    ASSERT_TRUE(TfrxPrinterCalibration::Save(queue, correction));
    expectBoxesAt(correction);
}

class PrinterSetup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(beside);
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
        QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(outputOf(queue));
    }
    void TearDown() override
    {
        QFile::remove(beside);
        TfrxPrinterCalibration::Save(queue, {});
    }

    QAction *menuItem(const QString &text) const
    {
        for (QAction *menu : window.menuBar()->actions())
            for (QAction *item : menu->menu()->actions())
                if (item->text() == text)
                    return item;
        return nullptr;
    }

    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    FakeDialogs dialogs;
    TfmMain window{dialogs};
};

TEST_F(PrinterSetup, TheDialogStoresTheCorrectionOfTheChosenPrinterAndPrintsItsSheet)
{
    QAction *setup = menuItem(QStringLiteral("Настройка принтера..."));
    ASSERT_NE(setup, nullptr);
    QStringList listed;
    const bool opened = AnswerModal<TPrinterSetupDialog>(
        [setup] { setup->trigger(); },
        [&](TPrinterSetupDialog *dialog) {
            for (int i = 0; i < dialog->PrinterList()->count(); ++i)
                listed << dialog->PrinterList()->item(i)->text();
            dialog->PrinterList()->setCurrentRow(int(listed.indexOf(queue)));
            dialog->OffsetXBox()->setValue(2.5);
            dialog->OffsetYBox()->setValue(-1.5);
            dialog->ScaleBox()->setValue(101);
            dialog->PrintSheetButton()->click();
            const QString folder = QDir::temp().filePath(QStringLiteral("calib23"));
            QDir().mkpath(folder);
            dialog->grab().save(folder + QStringLiteral("/printer-setup.png"));
            // Another printer shows its own values, and this one's come back.
            dialog->PrinterList()->setCurrentRow(int(listed.indexOf(QStringLiteral("Second"))));
            EXPECT_EQ(dialog->OffsetXBox()->value(), 0);
            dialog->PrinterList()->setCurrentRow(int(listed.indexOf(queue)));
            EXPECT_EQ(dialog->ScaleBox()->value(), 101);
            dialog->reject();
        });
    ASSERT_TRUE(opened);
    EXPECT_TRUE(listed.contains(queue));
    EXPECT_TRUE(listed.contains(QStringLiteral("Second")));
    EXPECT_EQ(TfrxPrinterCalibration::Load(queue), (TfrxPrinterCalibration{2.5, -1.5, 101}));
    EXPECT_TRUE(TfrxPrinterCalibration::Load(QStringLiteral("Second")).IsIdentity());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    EXPECT_TRUE(spooler().waitUntilPrinted(queue, outputOf(queue)));
}

} // namespace
