#include "CertificateRecord.h"
#include "DataLocations.h"
#include "FakeDialogs.h"
#include "SampleCertificate.h"
#include "TBlankArea.h"
#include "TfmMain.h"
#include "TfrxCustomEngine.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "zorPrinterTexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// "Печать свидетельства" with and without the template beside the program.
class PrintCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(beside);
        window.blank()->setRecord(sampleCertificate(QStringLiteral("Иванов [Иван]")));
    }
    void TearDown() override
    {
        QFile::remove(beside);
        zorSetPrinterErrorHandler(nullptr);
    }

    // Closes the modal preview once the report in it is prepared, noting its page count.
    void closePreviewWhenPrepared()
    {
        auto *timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer] {
            TfrxReport *report = window.report();
            QWidget *preview = QApplication::activeModalWidget();
            if (preview == nullptr || report->Engine() == nullptr || report->Engine()->Running()
                || report->PreviewPages()->GetCount() == 0)
                return;
            previewPages = report->PreviewPages()->GetCount();
            preview->close();
            timer->deleteLater();
        });
        timer->start();
    }

    QString text(const char *name) const
    {
        auto *memo = qobject_cast<TfrxMemoView *>(window.report()->FindObject(QString::fromLatin1(name)));
        return memo ? memo->Text() : QStringLiteral("<none>");
    }

    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("shablon.ze3"));
    const QString shown = QDir::toNativeSeparators(beside);
    const QString notFound = DataLocations(QCoreApplication::applicationDirPath()).notFoundMessage();
    FakeDialogs dialogs;
    TfmMain window{dialogs};
    int previewPages = 0;
};

TEST_F(PrintCommand, MissingTemplateIsNamedAndNothingIsFilled)
{
    window.N7Click();
    EXPECT_EQ(dialogs.messages, QStringList{notFound});
    EXPECT_TRUE(window.report()->Objects().isEmpty());
}

// A damaged template stops printing with the same one message as a missing one: no list of
// English errors, no list of missing objects, no empty preview.
TEST_F(PrintCommand, DamagedTemplateIsNamedAndNothingIsShown)
{
    QFile shipped(QStringLiteral(ZOR_TEMPLATE_FILE));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray whole = shipped.readAll();
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"truncated", whole.left(whole.size() / 2)},
        {"not XML", QByteArrayLiteral("\x00\x01 binary garbage \xff")},
        {"refused", QByteArrayLiteral("<?xml version=\"1.0\"?><TfrxMemoView Name=\"Memo1\"/>")},
    };
    for (const auto &c : cases) {
        QFile file(beside);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        dialogs.messages.clear();
        bool previewShown = false;
        QTimer::singleShot(0, [&previewShown] {
            if (QWidget *preview = QApplication::activeModalWidget()) {
                previewShown = true;
                preview->close();
            }
        });
        window.N7Click();
        QCoreApplication::processEvents();
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Не удалось загрузить шаблон печати: ") + shown})
            << c.what;
        EXPECT_FALSE(previewShown) << c.what;
    }
}

TEST_F(PrintCommand, ShippedTemplateIsFilledAndShownInThePreview)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
    QStringList libraryErrors;
    zorSetPrinterErrorHandler([&libraryErrors](const QString &text) { libraryErrors << text; });
    closePreviewWhenPrepared();
    window.N7Click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    EXPECT_TRUE(libraryErrors.isEmpty()) << libraryErrors.join(u'\n').toStdString();
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(text("Memo5"), QStringLiteral("Иванов [Иван]\r\n"));
    EXPECT_EQ(text("Memo13"), QStringLiteral("72\r\n"));
    EXPECT_EQ(text("Memo14"), QStringLiteral("x\r\n"));
    EXPECT_EQ(text("Memo38"), QStringLiteral("X\r\n"));
    EXPECT_EQ(text("Memo_cat"), QStringLiteral("B\r\n"));
}

TEST_F(PrintCommand, DesignLoadsTheTemplateToo)
{
    window.Button3Click();
    EXPECT_EQ(dialogs.messages, QStringList{notFound});

    ASSERT_TRUE(QFile::copy(QStringLiteral(ZOR_TEMPLATE_FILE), beside));
    dialogs.messages.clear();
    QString designed;
    // The designer is modal: note what it shows and close it.
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [this, &designed, &closer] {
        QWidget *designer = QApplication::activeModalWidget();
        if (designer == nullptr)
            return;
        closer.stop();
        designed = text("Memo5");
        designer->close();
    });
    closer.start();
    window.Button3Click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(designed, QString()) << "the designer gets the template as saved, without the form's values";
}

}  // namespace
