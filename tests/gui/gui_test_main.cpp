// Window tests run headless, with the program's own application object.
#include <gtest/gtest.h>

#include "app/calvor_application.h"
#include "app/ui_font.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  calvor::CalvorApplication app(argc, argv);
  calvor::UseProgramFont();
  return RUN_ALL_TESTS();
}
