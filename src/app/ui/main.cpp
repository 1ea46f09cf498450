// The program: the station's objects and settings first (a configuration file that cannot be
// created ends the start with its message on standard output), then the desktop and its event
// loop, then the station's objects again as the application is gone.
#include <final/final.h>

#include <iostream>

#include "app/station.h"
#include "app/ui/vork_app.h"

int main(int argc, char* argv[]) {
  // Country lists and the empty log exist before anything else and outlive the application.
  vk::Station station;
  if (const vk::Status s = station.ReadSettings(); !s) {
    std::cout << s.message << std::endl;
    return 1;
  }
  vk::ShellState initial;
  station.LoadConfiguredContest(initial);

  vk::ui::VorkApp app{argc, argv, station, initial};
  return app.exec();
}
