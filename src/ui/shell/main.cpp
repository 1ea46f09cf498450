// The program: the command line first (--help, --version and the commands that run without a
// terminal end there), then the station folder (made on the first start, then the working
// directory), the station's objects and settings (a configuration file that cannot be created
// ends the start with its message on standard output), then the desktop and its event loop,
// then the station's objects again as the application is gone.
#include <final/final.h>
#include <hamlib/rig.h>
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/new_contest.h"
#include "app/session.h"
#include "app/startup.h"
#include "config/ini_file.h"
#include "log/journal.h"
#include "ui/shell/vork_app.h"
#include "util/catalog.h"
#include "util/clock.h"
#include "util/install_paths.h"
#include "util/terminal_charset.h"

namespace {

// The terminal's character set, from the locale.  A UTF-8 or an 8-bit locale (KOI8-R,
// ISO-8859-1, ...) is kept: the toolkit then draws frames with the terminal's line graphics
// and the texts go out in the terminal's own bytes.  The plain C locale (no locale set, or one
// that is not installed) says nothing of the terminal; it is taken as UTF-8, the codeset of
// every terminal today, and the toolkit is given C.UTF-8 through XTERM_LOCALE, which it reads
// after the usual variables: LANG and LC_ALL stay as they were for the language and a restart.
vk::TerminalCharset ChooseTerminalCharset() {
  std::setlocale(LC_ALL, "");
  const std::string codeset = nl_langinfo(CODESET);
  if (codeset != "ANSI_X3.4-1968") return vk::TerminalCharset::ForCodeset(codeset);
  if (std::setlocale(LC_ALL, "C.UTF-8") != nullptr) ::setenv("XTERM_LOCALE", "C.UTF-8", 1);
  return {};
}

// The catalogue of the language vorkan.cfg or the environment (as it was when the program
// started) asks for: share/locale/<lang>/LC_MESSAGES/vorkan.mo of the installed program, or
// locale/ beside a binary in the build tree.  en.po holds the English of the texts kept in
// Russian, ru.po the Russian of those kept in English.  A file that cannot be read leaves the
// texts as they are kept.
void LoadLanguage(vk::MessageCatalog& catalog, const std::string& configPath,
                  const std::string& environmentLanguage, vk::Journal& journal) {
  const vk::IniFile ini{configPath};
  const std::string lang =
      vk::ChooseLanguage(ini.GetEntry("Main", "Language", ""), environmentLanguage);
  const std::string dir = vk::FindLocaleDir(lang);
  if (dir.empty()) {
    journal.Append("Language: no catalogue " + lang + "/LC_MESSAGES/vorkan.mo found");
    return;
  }
  const auto mo = std::filesystem::path(dir) / lang / "LC_MESSAGES" / "vorkan.mo";
  if (const vk::Status s = catalog.Load(mo.string()); !s) {
    journal.Append("Language: " + s.message);
  }
}

// One run of the program, from reading the settings to the last object gone.  `restart` comes
// back true when New contest asks for a fresh start on its new settings.
int RunOnce(int argc, char* argv[], std::string notice, const std::string& environmentLanguage,
            vk::TerminalCharset charset, bool& restart) {
  // The debug journal (debug.txt in the working directory), which every part of the station
  // writes to, and the computer's clock, which every "now" comes from.  The station, its bus
  // and the log exchange exist before anything else and outlive the application.
  vk::Journal journal;
  const vk::SystemTimeSource clock{vk::ClockOffsetOf(std::getenv(vk::kClockOffsetVariable))};
  vk::Session session{{}, nullptr, &journal, &clock};
  // The tests' hooks, read here once; the session hands them to whatever they steer.
  session.SetTestHooks(
      vk::ReadTestHooks([](const char* name) -> const char* { return std::getenv(name); }));
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
  LoadLanguage(catalog, session.station().PathOf(vk::kConfigFileName), environmentLanguage,
               journal);
  journal.Append("Terminal: " + charset.Name());

  int rc = 0;
  {
    vk::ui::VorkApp app{argc, argv, session, std::move(catalog), std::move(charset)};
    app.SetStartNotice(std::move(notice));
    rc = app.exec();
    restart = app.RestartRequested();
  }
  // The application has written the log on its way out; then the network thread stops and
  // the network settings are written.
  session.Shutdown();
  return rc;
}

// The toolkit prints its own options for --help and ends the program there.
int PrintToolkitHelp(char* program) {
  char help[] = "--help";
  char* args[] = {program, help, nullptr};
  const int count = 2;
  finalcut::FApplication toolkit{count, args};
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  const vk::CommandLine line =
      vk::ParseCommandLine(std::span<const char* const>(argv + 1, argc > 0 ? argc - 1 : 0));
  switch (line.action) {
    case vk::CommandLineAction::kError:
      std::cerr << "vorkan: " << line.error << std::endl;
      return vk::kCommandLineError;
    case vk::CommandLineAction::kVersion:
      std::cout << vk::VersionText(F_VERSION, hamlib_version);
      return 0;
    case vk::CommandLineAction::kHelp:
      std::cout << vk::UsageText() << std::flush;
      return PrintToolkitHelp(argv[0]);
    case vk::CommandLineAction::kCommandHelp:
      std::cout << vk::CommandHelpText(line.command);
      return 0;
    case vk::CommandLineAction::kCommand:
      // Commands run without a terminal, on the station named or the current folder.
      return vk::RunCommand(line,
                            vk::ChooseStationDir(line.station, std::getenv(vk::kStationVariable)),
                            std::cout, std::cerr);
    case vk::CommandLineAction::kRun:
      break;
  }

  // The station folder becomes the working directory: the log, the settings, the archive and
  // debug.txt are kept there.  A restart finds it again through the environment.
  std::error_code ec;
  const std::string chosen = vk::ChooseStationDir(line.station, std::getenv(vk::kStationVariable));
  std::string notice;
  if (const vk::Status s = vk::MakeStationIfNone(chosen, notice); !s) {
    if (!std::filesystem::is_directory(chosen, ec)) {
      std::cerr << "vorkan: " << s.message << std::endl;
      return 1;
    }
    // A folder that refuses the new file: the start reports it as for any configuration file.
    notice.clear();
  }
  const std::string station = std::filesystem::absolute(chosen, ec).lexically_normal().string();
  if (chosen != "." && ::chdir(station.c_str()) != 0) {
    std::cerr << "vorkan: cannot enter the station folder " << station << ": "
              << std::strerror(errno) << std::endl;
    return 1;
  }
  ::setenv(vk::kStationVariable, station.c_str(), 1);

  std::vector<char*> args{argv[0]};
  for (const char* a : line.toolkitArgs) args.push_back(const_cast<char*>(a));
  args.push_back(nullptr);
  // The language is the environment's as the operator set it, before the locale is chosen.
  const std::string environmentLanguage = vk::EnvironmentLanguage();
  bool restart = false;
  const int rc = RunOnce(static_cast<int>(args.size()) - 1, args.data(), std::move(notice),
                         environmentLanguage, ChooseTerminalCharset(), restart);
  if (!restart) return rc;
  // Everything of the old run is gone (the terminal is restored, files are closed): the program
  // image starts again in this process and reads the new settings like any start.
  const vk::Status s = vk::RestartProgram(args.data());
  std::cout << s.message << "; start the program again." << std::endl;
  return rc;
}
