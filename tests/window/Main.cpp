// Main: the window tests' entry: a QApplication on the offscreen platform around GoogleTest.
#include "ui/Qtwindow.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    // Headless unless the caller chose a platform.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C");
    TQtApplicationSetup setup;
    return RUN_ALL_TESTS();
}
