#include "CupsSandbox.h"
#include "PrintingTestMain.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>

namespace {
CupsSandbox *theSpooler = nullptr;
}

CupsSandbox &spooler() { return *theSpooler; }

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Printer corrections and other settings go to the test folders, never the user's own.
    QStandardPaths::setTestModeEnabled(true);
    CupsSandbox sandbox;
    if (!sandbox.start() || sandbox.addPdfQueue(QStringLiteral("ZorPDF")).isEmpty() ||
        sandbox.addPdfQueue(QStringLiteral("Second")).isEmpty() || !sandbox.setDefault(QStringLiteral("Second"))) {
        std::fprintf(stderr, "cannot start the tests' print spooler: %s\n", qPrintable(sandbox.error()));
        return 1;
    }
    theSpooler = &sandbox;
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
