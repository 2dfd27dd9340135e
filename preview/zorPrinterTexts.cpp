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
    QString result;
    result.reserve(pattern.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const QChar mark = i + 1 < pattern.size() ? pattern.at(i + 1) : QChar();
        if (c != u'%' || (mark != u'%' && mark != u'd' && mark != u's')) {
            result += c;
            continue;
        }
        ++i;
        if (mark == u'%')
            result += u'%';
        else if (next < values.size())
            result += values.at(next++);
        else
            result += c + QString(mark);
    }
    return result;
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
