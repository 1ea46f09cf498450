// The list of rules files in the data directory, built once at start-up: "contest.xml" first
// under a fixed title, then every other *.xml file with its own title.  Each entry is one
// New-contest menu item; the contests inside a file are offered by their display names.
//
// Contest names (the first attribute of a contest element) are kept as the file writes them,
// in Windows-1251, and compared byte for byte; titles and display names are converted to
// CP866 for the screen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class Journal;

inline constexpr const char* kDefaultContestFile = "contest.xml";
inline constexpr const char* kDefaultContestTitle = "The World contest";
inline constexpr std::size_t kContestTitleWidth = 20;
inline constexpr std::size_t kContestFileNameWidth = 40;

struct ContestListEntry {
  std::string title;     // CP866, at most 20
  std::string fileName;  // name inside the data directory, at most 40
};

class ContestList {
 public:
  // Only the default entry; files are looked for in `dataDir` ("data" for the program).
  // A rules file that is not well-formed is journalled to `journal` (nullptr: nowhere), which
  // outlives the list.
  explicit ContestList(std::string dataDir = "data", Journal* journal = nullptr);

  // The default entry plus every other *.xml file of `dataDir` (the extension in any case),
  // sorted by name.  A missing directory gives the default entry alone.
  static ContestList Build(const std::string& dataDir, Journal* journal = nullptr);

  const std::string& DataDir() const { return dataDir_; }
  std::size_t Size() const { return entries_.size(); }
  const std::vector<ContestListEntry>& Entries() const { return entries_; }
  // Why a rules file of the list is not read at all (larger than a rules file can be), for the
  // operator who misses a contest; empty when every file is of a readable size.
  std::string OversizedFiles() const;
  // Empty texts for an index outside the list.
  std::string Title(std::size_t index) const;
  std::string FileName(std::size_t index) const;
  // dataDir + "/" + file name.
  std::string PathOf(std::string_view fileName) const;

  // Display names (second attributes, CP866) of the contests of entry `index`, in file order.
  std::vector<std::string> DisplayNames(std::size_t index) const;
  // The contest name of the last contest of entry `index` whose display name is
  // `displayName` (CP866); empty when none is.
  std::string ContestNameOfDisplayName(std::size_t index, std::string_view displayName) const;
  // The display name (CP866) of a contest name: in every file the first contest of that
  // name; a later file overrides an earlier one.  Empty when no file has it.
  std::string DisplayNameOfContestName(std::string_view contestName) const;

  // The file that describes a contest: the last entry, in list order, holding a contest
  // element of that name; empty when none does.
  std::string FindContestFile(std::string_view contestName) const;

 private:
  std::string dataDir_;
  Journal* journal_;
  std::vector<ContestListEntry> entries_;
};

}  // namespace vk
