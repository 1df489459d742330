// The main of the test executables whose tests need a QApplication (offscreen).
#include <gtest/gtest.h>

#include <QApplication>

#include "resources/VarnellResources.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  varnell::InitVarnellResources();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
