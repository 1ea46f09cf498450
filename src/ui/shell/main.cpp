// The program: the station's objects and settings first (a configuration file that cannot be
// created ends the start with its message on standard output), then the desktop and its event
// loop, then the station's objects again as the application is gone.
#include <final/final.h>
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <utility>

#include "app/new_contest.h"
#include "app/rules_command.h"
#include "app/score_command.h"
#include "app/session.h"
#include "app/transfer_command.h"
#include "config/ini_file.h"
#include "log/journal.h"
#include "ui/shell/vork_app.h"
#include "util/catalog.h"
#include "util/clock.h"

namespace {

// The screen shows CP866 text converted to Unicode, which the toolkit writes as UTF-8 only under
// a UTF-8 locale; under any other it falls back to line graphics and drops the Cyrillic.
void EnsureUtf8Locale() {
  const char* set = std::setlocale(LC_ALL, "");
  if (set != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
  ::setenv("LC_ALL", "C.UTF-8", 1);
  std::setlocale(LC_ALL, "");
}

// The English catalogue beside the program (locale/en/LC_MESSAGES/vorkan.mo) when vorkan.cfg
// or the environment asks for English; an empty one for Russian, the language the texts are
// kept in, or when the file cannot be read.
void LoadLanguage(vk::MessageCatalog& catalog, const std::string& configPath,
                  vk::Journal& journal) {
  const vk::IniFile ini{configPath};
  if (vk::ChooseLanguage(ini.GetEntry("Main", "Language", "")) != "en") return;
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return;
  const auto mo = exe.parent_path() / "locale" / "en" / "LC_MESSAGES" / "vorkan.mo";
  if (const vk::Status s = catalog.Load(mo.string()); !s) {
    journal.Append("Language: " + s.message);
  }
}

// One run of the program, from reading the settings to the last object gone.  `restart` comes
// back true when New contest asks for a fresh start on its new settings.
int RunOnce(int argc, char* argv[], bool& restart) {
  // The debug journal (debug.txt in the working directory), which every part of the station
  // writes to, and the computer's clock, which every "now" comes from.  The station, its bus
  // and the log exchange exist before anything else and outlive the application.
  vk::Journal journal;
  const vk::SystemTimeSource clock;
  vk::Session session{{}, nullptr, &journal, &clock};
  if (const vk::Status s = session.Start(
          {vk::MakePosixUdpSocket, vk::ListenPortOverride(std::getenv(vk::kListenPortVariable))});
      !s) {
    std::cout << s.message << std::endl;
    return 1;
  }
  // The radio's poll thread starts before the desktop, so the entry window opens on the
  // frequency the radio shows.
  session.StartRadio();
  vk::MessageCatalog catalog;
  LoadLanguage(catalog, session.station().PathOf(vk::kConfigFileName), journal);

  int rc = 0;
  {
    vk::ui::VorkApp app{argc, argv, session, std::move(catalog)};
    rc = app.exec();
    restart = app.RestartRequested();
  }
  // The application has written the log on its way out; then the network thread stops and
  // the network settings are written.
  session.Shutdown();
  return rc;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Command-line modes run without a terminal.
  if (argc >= 2 && std::strcmp(argv[1], "score") == 0) {
    return vk::RunScoreCommand(std::span<const char* const>(argv + 2, argc - 2), std::cout,
                               std::cerr);
  }
  if (argc >= 2 && std::strcmp(argv[1], "export") == 0) {
    return vk::RunExportCommand(std::span<const char* const>(argv + 2, argc - 2), std::cout,
                                std::cerr);
  }
  if (argc >= 2 && std::strcmp(argv[1], "rules") == 0) {
    return vk::RunRulesCommand(std::span<const char* const>(argv + 2, argc - 2), std::cout,
                               std::cerr);
  }
  if (argc >= 2 && std::strcmp(argv[1], "import") == 0) {
    return vk::RunImportCommand(std::span<const char* const>(argv + 2, argc - 2), std::cout,
                                std::cerr);
  }
  EnsureUtf8Locale();
  bool restart = false;
  const int rc = RunOnce(argc, argv, restart);
  if (!restart) return rc;
  // Everything of the old run is gone (the terminal is restored, files are closed): the program
  // image starts again in this process and reads the new settings like any start.
  const vk::Status s = vk::RestartProgram(argv);
  std::cout << s.message << "; start the program again." << std::endl;
  return rc;
}
