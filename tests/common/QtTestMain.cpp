// Test entry for tests that need a Qt application object: a QApplication for widget tests, a
// QGuiApplication otherwise, on the offscreen platform and under the Russian locale, so that
// results do not depend on the machine that runs them. Settings and data folders are the test
// folders of Qt's test mode, never the user's own.
#include <gtest/gtest.h>

#include <QLocale>
#include <QStandardPaths>

#ifdef ZOR_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QStandardPaths::setTestModeEnabled(true);
    TestApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
