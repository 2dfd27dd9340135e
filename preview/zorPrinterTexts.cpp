#include "zorPrinterTexts.h"

#include "TfrxReportServices.h"
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

// Outside any namespace, as the resource's initialiser is.
static void initIcons() { Q_INIT_RESOURCE(preview_icons); }

void zorInitPreviewIcons()
{
    static const bool done = (initIcons(), true);
    Q_UNUSED(done);
}

QString zorPrinterText(const char *key) { return zorResources().Get(QString::fromLatin1(key)); }

QString zorFillText(const QString &pattern, const QStringList &values)
{
    return TfrxReportServices::FillText(pattern, values);
}

void zorReportPrinterError(const QString &message)
{
    if (errorHandler()) {
        errorHandler()(message);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), zorPrinterText("mbError"), message);
}

void zorSetPrinterErrorHandler(std::function<void(const QString &)> handler) { errorHandler() = std::move(handler); }
