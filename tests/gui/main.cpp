// The GUI tests run inside one QApplication, offscreen on Linux unless a platform is chosen
// (test discovery runs this program without the test environment); on Windows, which has no
// offscreen platform, in windows of the Windows platform. The settings file
// and Qt's settings go to a folder of this run, never to the user's.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
