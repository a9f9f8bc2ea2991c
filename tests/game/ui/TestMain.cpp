// GUI tests run inside one application object on Qt's offscreen platform.
#include <gtest/gtest.h>

#include "platform/Application.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  platform::Application app(argc, argv, QStringLiteral("pomuri-tests"), QStringLiteral("pomuri"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
