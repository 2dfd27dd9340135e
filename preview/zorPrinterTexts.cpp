#include "zorPrinterTexts.h"

#include "TfrxResources.h"

#include <QApplication>
#include <QMessageBox>

namespace {

std::function<void(const QString &)> &errorHandler()
{
    static std::function<void(const QString &)> handler;
    return handler;
}

} // namespace

QString zorPrinterText(const char *key) { return zorResources().Get(QString::fromLatin1(key)); }

void zorReportPrinterError(const QString &message)
{
    if (errorHandler()) {
        errorHandler()(message);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), zorPrinterText("mbError"), message);
}

void zorSetPrinterErrorHandler(std::function<void(const QString &)> handler) { errorHandler() = std::move(handler); }
