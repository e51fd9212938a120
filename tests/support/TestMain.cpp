#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widget tests need an application object; the offscreen platform keeps them off any display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A program folder that cannot be written sends the settings to the XDG config folder:
    // never the tester's own.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
