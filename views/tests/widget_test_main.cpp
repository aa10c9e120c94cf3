// The widget tests need a QApplication for the whole run (one per process)
// and the device factory, which the device bar makes its templates with.
#include "devices/factory.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ampera::RegisterDeviceKinds();
    return RUN_ALL_TESTS();
}
