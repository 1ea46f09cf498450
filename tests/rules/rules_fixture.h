// Shared set-up of the rule tree tests: the system's real world country file, a small Russian
// list whose blocks stand where the zone table expects them, a temporary data directory the
// tests write rules files into, a journal file of their own and an empty log.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "country/country.h"
#include "log/journal.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"

namespace vk::test {

// 87 blocks in the order the zone table assumes.  Real regions sit at their places:
// block 5 St Petersburg (zone 1), 14 Moscow (zone 2), 61 Tomsk (zone 4), 81 Buryatia (zone 5),
// 77 Magadan (zone 7); every other block holds one made-up exact call.
inline std::string RussianListText() {
  struct Region {
    int block;
    const char* code;
    const char* prefixes;
  };
  static const Region kRegions[] = {{5, "SP", "R1A,RA1A,UA1A"},
                                    {14, "MA", "R3A,RA3A,UA3A"},
                                    {61, "TO", "R9H,RA9H,UA9H"},
                                    {77, "MG", "R0I,RA0I,UA0I"},
                                    {81, "BU", "R0O,RA0O,UA0O"}};
  std::string text;
  for (int n = 1; n <= 87; ++n) {
    std::string code = "X" + std::to_string(n);
    std::string prefixes = "=RZ" + std::to_string(n) + "ZZ";
    for (const auto& r : kRegions) {
      if (r.block == n) {
        code = r.code;
        prefixes = r.prefixes;
      }
    }
    text += code + ": 16: 29: EU: 55.0: -37.0: -3.0: " + code + ":\n    " + prefixes + ";\n";
  }
  return text;
}

inline const CountryLists& Lists() {
  static const CountryLists lists{CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                  CountryList::FromText(RussianListText())};
  return lists;
}

class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vk_rules_XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    path_ = ::mkdtemp(buf.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary) << text;
  }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A rules file with one contest "TEST" holding `body`.
inline std::string OneContest(const std::string& body) {
  return "<contest_rules title=\"Tests\">\n<contest name=\"TEST\" display=\"Test contest\">\n" +
         body + "\n</contest>\n</contest_rules>\n";
}

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.SetCountryLists(&Lists());
    tree_.SetLog(&log_);
  }

  // Writes `body` as contest "TEST" and loads it for the station `ownCall`.
  Status Load(const std::string& body, const std::string& ownCall = "DL1ABC") {
    tree_.SetOwnCall(ownCall);
    data_.Write("test.xml", OneContest(body));
    return LoadContest(tree_, ContestList::Build(data_.Path()), "TEST", RulesCheck::kTolerant);
  }

  std::vector<std::string> JournalLines() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(data_.File("debug.txt")));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

  void AddQso(const std::string& call, const std::string& sent, const std::string& rcvd) {
    QsoRecord q;
    q.Call = call;
    q.Sent = sent;
    q.Rcvd = rcvd;
    q.Mode = Mode::kCw;
    log_.Append(q);
  }

  TempDir data_;
  Journal journal_{data_.File("debug.txt")};
  TTreeRules tree_{&journal_};
  TLogCollection log_;
};

}  // namespace vk::test
