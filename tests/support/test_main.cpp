// Test entry point: a Qt application object (with widgets for screen tests, with fonts and painting
// for the drawing tests) around GoogleTest.
#include <gtest/gtest.h>

#ifdef TEV_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#elif defined(TEV_TEST_DRAWING)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Screens are tested without a display, also when ctest lists the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    TestApplication::setApplicationName(QStringLiteral("tev-inventory-tests"));
    return RUN_ALL_TESTS();
}
