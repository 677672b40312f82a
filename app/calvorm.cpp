// Calvor: program entry.
#include "app/calvor.h"
#include "app/calvor_application.h"
#include "app/ui_font.h"

int main(int argc, char** argv) {
  calvor::CalvorApplication app(argc, argv);
  calvor::UseProgramFont();
  calvor::TMain main;
  main.show();
  return app.exec();
}
