#include "ReportLibrary.h"
#include "TOperatorDialogs.h"
#include "TfmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Зелта-автошкола"));
    QApplication::setApplicationVersion(QStringLiteral(ZOR_LIBRARY_VERSION));

    TWidgetDialogs dialogs;
    loadRussianTexts(dialogs);
    TfmMain window(dialogs);
    window.show();
    return QApplication::exec();
}
