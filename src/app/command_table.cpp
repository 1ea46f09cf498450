#include "app/command_table.h"

#include <algorithm>

#include "app/key_table.h"
#include "app/shell.h"

namespace vk {

namespace {

using M = MenuTitle;

// clang-format off
constexpr CommandRow kRows[] = {
    {cm::kNewContest,   M::kFile, "&New contest", 0, {}, nullptr},
    {cm::kCabrillo,     M::kFile, "&Cabrillo report", kb::kAltO, "the contest report (Cabrillo)",
     [](ShellActions& a) { a.WriteCabrillo(); }},
    {cm::kExportAdif,   M::kFile, "E&xport ADIF...", 0, {},
     [](ShellActions& a) { a.ExportAdif(); }},
    {cm::kImportAdif,   M::kFile, "&Import ADIF...", 0, {},
     [](ShellActions& a) { a.ImportAdif(); }},
    {0,                 M::kFile, {}, 0, {}, nullptr},
    // Only Exit and Alt+X end the program: nothing else may stop a station mid-contest.  The
    // hint keeps the classic desktop's spelling, which operators know from its status line.
    {cm::kQuit,         M::kFile, "&Exit", kb::kAltX, "save the log and exit",
     [](ShellActions& a) { a.Quit(); }, "Alt+X"},

    {cm::kVideoMode,    M::kOptions, "&Video mode", 0, {}, nullptr},
    // The new keyer is made at once: a station mid-contest must never restart for it.
    {cm::kCwSetup,      M::kOptions, "&CW setup", 0, {},
     [](ShellActions& a) { (void)a.RunCwSetup(); }},
    {cm::kCwMessage,    M::kOptions, "CW &Message", kb::kAltM, "edit the CW messages",
     [](ShellActions& a) { a.RunCwMessageEditor(); }},
    {cm::kNetworkSetup, M::kOptions, "&Network setup", 0, {},
     [](ShellActions& a) { a.RunNetworkSetup(); }},
    {cm::kClusterSetup, M::kOptions, "C&luster", 0, {}, nullptr},
    {cm::kStationSetup, M::kOptions, "S&tation...", 0, {},
     [](ShellActions& a) { a.RunStationSetup(); }},
    {cm::kToggleScp,    M::kOptions, "Check &partial", kb::kAltS, "show / hide the check list",
     nullptr},
    {cm::kToggleRate,   M::kOptions, "&Rate line", kb::kAltR, "show / hide the rate line",
     nullptr},
    {cm::kToggleEsm,    M::kOptions, "&Enter sends messages", 0, {}, nullptr},
    {cm::kRigSetup,     M::kOptions, "Ri&g...", 0, {},
     [](ShellActions& a) { a.RunRigSetup(); }},
    {0,                 M::kOptions, {}, 0, {}, nullptr},
    {cm::kSaveLog,      M::kOptions, "&Save...", 0, {},
     [](ShellActions& a) { a.SaveLog(); }},

    {cm::kClockHelp,    M::kTools, "Change time", 0, {},
     [](ShellActions& a) { a.ShowClockHelp(); }},
    {cm::kStatistics,   M::kTools, "&Statistics...", 0, {}, nullptr},
    {cm::kHtmlReport,   M::kTools, "&Report (HTML)", 0, {},
     [](ShellActions& a) { a.WriteHtmlReport(); }},

    // Every key, written from the key table and this one.
    {cm::kHelpTopic,    M::kHelp, "&Help topic", 0, {},
     [](ShellActions& a) { a.ShowHelpTopic(); }},
    {0,                 M::kHelp, {}, 0, {}, nullptr},
    {cm::kAbout,        M::kHelp, "&About...", 0, {},
     [](ShellActions& a) { a.ShowAbout(); }},

    // Keys without a menu item; the cluster desk and the operator aids take them.
    {cm::kBandMap,        M::kNone, {}, kb::kAltB, "show / hide the band map", nullptr},
    {cm::kClusterConsole, M::kNone, {}, kb::kAltK, "show / hide the cluster console", nullptr},
    {cm::kSpotQso,        M::kNone, {}, kb::kAltP, "spot the entry's call to the cluster",
     nullptr},
    {cm::kPickCall,       M::kNone, {}, kb::kAltC, "the next call of the check list", nullptr},
};
// clang-format on

}  // namespace

std::span<const CommandRow> CommandRows() {
  return kRows;
}

const CommandRow* FindCommand(CommandId command) {
  if (command == 0) return nullptr;
  const auto it = std::find_if(std::begin(kRows), std::end(kRows),
                               [&](const CommandRow& r) { return r.command == command; });
  return it == std::end(kRows) ? nullptr : &*it;
}

CommandId CommandForKey(KeyCode key) {
  if (key == 0) return 0;
  const auto it = std::find_if(std::begin(kRows), std::end(kRows),
                               [&](const CommandRow& r) { return r.key == key; });
  return it == std::end(kRows) ? 0 : it->command;
}

std::string MenuHint(const CommandRow& row) {
  if (!row.hint.empty()) return std::string(row.hint);
  return row.key == 0 ? std::string() : KeyName(row.key);
}

}  // namespace vk
