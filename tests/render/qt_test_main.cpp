// SPDX-License-Identifier: MIT
// GoogleTest main for tests that need a QGuiApplication (fonts, painting).
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "font_setup.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  fernplot::InstallFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
