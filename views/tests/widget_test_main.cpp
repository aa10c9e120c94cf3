// The widget tests need a QApplication for the whole run (one per process)
// and the device factory, which the device bar makes its templates with.
#include "devices/kind_registry.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
