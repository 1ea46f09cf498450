// Shared set-up of the report tests: a scratch directory for the report files, the shipped
// contests loaded with the system's world country file and the shipped
// Russian list, and a log filled the way the entry window fills it (exchange sent from the
// rules, received exchange normalised by them).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "country/country.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"

namespace vk::test {

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vk_reports_XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines joined the way a report ends them.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

inline DateTime At(int day, int hour, int minute) {
  DateTime t;
  t.year = 2024;
  t.month = 3;
  t.day = static_cast<std::uint16_t>(day);
  t.hour = static_cast<std::uint16_t>(hour);
  t.minute = static_cast<std::uint16_t>(minute);
  return t;
}

inline QsoRecord Qso(DateTime when, std::int32_t freq, Mode mode, std::string call,
                     std::string sent, std::string rcvd) {
  QsoRecord q;
  q.Stamp = when;
  q.Freq = freq;
  q.Mode = mode;
  q.Call = std::move(call);
  q.Sent = std::move(sent);
  q.Rcvd = std::move(rcvd);
  return q;
}

class ShippedContestReport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    lists_ = new CountryLists{CountryList::FromFile(VORKAN_SYSTEM_CTY),
                              CountryList::FromFile(VORKAN_SOURCE_DIR "/data/cty_rus.dat")};
  }
  static void TearDownTestSuite() {
    delete lists_;
    lists_ = nullptr;
  }

  void Load(const char* contest, const char* ownCall) {
    ASSERT_FALSE(lists_->world.Empty()) << VORKAN_SYSTEM_CTY;
    tree_.SetCountryLists(lists_);
    tree_.SetLog(&log_);
    ASSERT_TRUE(tree_.SetOwnCall(ownCall)) << ownCall;
    Status s = LoadContest(tree_, ContestList::Build(VORKAN_SOURCE_DIR "/data"), contest);
    ASSERT_TRUE(s.ok()) << contest << ": " << s.message;
  }

  // Logs a contact as the entry window does: the rules give the exchange sent (with the
  // serial of this QSO) and normalise the typed one.
  void Log(DateTime when, std::int32_t freq, Mode mode, const char* call, const char* typed) {
    tree_.SetCurrentMode(mode);
    QsoRecord q =
        Qso(when, freq, mode, call, tree_.GetTxNr(tree_.OwnCall()), tree_.CorrectRxNr(typed));
    ASSERT_TRUE(log_.Append(q));
  }

  static CountryLists* lists_;
  ScratchDir dir_;
  TTreeRules tree_;
  TLogCollection log_;
};

inline CountryLists* ShippedContestReport::lists_ = nullptr;

}  // namespace vk::test
