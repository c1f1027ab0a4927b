// The widget tests' main: a QApplication on the offscreen platform around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "shell/typed_number_search.h"

int main(int argc, char** argv) {
  // Test discovery runs the binary without the test's environment.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  zarim::InstallTypedNumberSearch();  // as the program's main does
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
