// The program: settings first (a configuration file that cannot be created ends the start with
// its message on standard output), then the desktop and its event loop.
#include <final/final.h>

#include <iostream>

#include "app/startup.h"
#include "app/ui/vork_app.h"
#include "log/log_collection.h"

int main(int argc, char* argv[]) {
  // The log exists before anything else and outlives the application.
  vk::TLogCollection log;

  vk::StartupSettings settings;
  if (const vk::Status s = vk::ReadStartupSettings(settings); !s) {
    std::cout << s.message << std::endl;
    return 1;
  }

  vk::ui::VorkApp app{argc, argv, settings, log};
  return app.exec();
}
