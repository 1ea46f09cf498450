// Country database: the country files of contest loggers (one block per country or region,
// a header line with name, zones, continent, position and primary prefix, then lines of
// prefixes and exact calls) and the lookup that turns a call sign into an entry of such a list.
//
// The program holds two lists, the world list (data/cty_wt.dat) and the Russian list
// (data/cty_rus.dat); the shell owns them (see CountryLists) and this module keeps no state of
// its own.  Lists are built once at start-up and never change afterwards, so lookups are const
// and need no locking.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Widths of the short texts of an entry and of a lookup result; longer texts are cut.
inline constexpr std::size_t kCountryNameWidth = 26;
inline constexpr std::size_t kCountryZoneWidth = 3;
inline constexpr std::size_t kCountryContinentWidth = 3;
inline constexpr std::size_t kCountryLatitudeWidth = 7;
inline constexpr std::size_t kCountryLongitudeWidth = 8;
inline constexpr std::size_t kCountryTimeOffsetWidth = 3;
inline constexpr std::size_t kCountryPrefixWidth = 6;
// Zones that are not numbers in the file are kept as this value (and shown as "255").
inline constexpr std::uint8_t kCountryNoZone = 255;

// Result of a lookup.  Zones, position and time offset are texts as the file writes them,
// already overridden by the marks of the matching token.  Note that in the usual world file
// longitude and time offset count positive towards the WEST (time offset = what to add to
// local time to get UTC).
struct CountryInfo {
  std::string name;           // <= 26
  std::string cqZone;         // <= 3
  std::string ituZone;        // <= 3
  std::string continent;      // <= 3, "EU", "AS", ...
  std::string latitude;       // <= 7
  std::string longitude;      // <= 8
  std::string timeOffset;     // <= 3
  std::string primaryPrefix;  // <= 6; in the Russian list the region code ("MA", "SP", ...)
  std::uint16_t number = 0;   // entry number (block position in the file, from 1); 0: not found

  void Clear();
  bool Found() const { return number != 0; }
  friend bool operator==(const CountryInfo&, const CountryInfo&) = default;
};

// One block of a country file.
struct CountryEntry {
  std::string name;                       // header field 1
  std::uint8_t cqZone = kCountryNoZone;   // header field 2
  std::uint8_t ituZone = kCountryNoZone;  // header field 3
  std::string continent;                  // header field 4
  std::string latitude;                   // header field 5, as written
  std::string longitude;                  // header field 6, as written
  std::string timeOffset;                 // header field 7, as written
  std::string primaryPrefix;              // header field 8
  std::uint16_t number = 0;  // position of the block's header among all headers, from 1
  // Every prefix or call of the block, each right after a ',' (",1A,=1A0KM(15);").  Kept whole
  // whatever its size: the USA block of the usual world file alone holds about 87,000 bytes.
  std::string prefixText;
};

class CountryIndex;  // hash index over a list's prefixes and exact calls (country_index.h)

// The entries of one country file in file order, with an index built once after loading.
class CountryList {
 public:
  CountryList();
  ~CountryList();
  CountryList(CountryList&&) noexcept;
  CountryList& operator=(CountryList&&) noexcept;
  CountryList(const CountryList&) = delete;
  CountryList& operator=(const CountryList&) = delete;

  // A missing or unreadable file gives an empty list; bad lines are skipped, never fatal.
  static CountryList FromFile(const std::string& path);
  static CountryList FromText(std::string_view text);

  const std::vector<CountryEntry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }
  std::size_t Size() const { return entries_.size(); }

  // Indexed lookup; the answers are exactly those of ScanCountry().
  std::uint16_t Lookup(std::string_view call, CountryInfo& out) const;

 private:
  void BuildIndex();

  std::vector<CountryEntry> entries_;
  std::unique_ptr<CountryIndex> index_;
};

// The part of a call that names its country: the call itself when it has no '/'; else the
// prefix of the place a portable station works from ("DL/UA9QQQ" and "UA9QQQ/DL" -> "DL"), or
// its home call when the other parts name no place ("UA9QQQ/P", "UA9QQQ/QRP", "UA9QQQ/3" ->
// "UA9QQQ"); empty for /MM and /AM, which are in no country.  The lookup goes further than
// this: exact calls of the file match the whole call first, and a lone call-area digit moves
// the home call to that area (slash_call.h).  The result points into `call`.
std::string_view ReduceCall(std::string_view call);

// Look up (list, call sign) -> entry number, 0 when nothing matches (then `out` is cleared).
std::uint16_t LookupCountry(const CountryList& list, std::string_view call, CountryInfo& out);

// The same answer by the plain scan over the entries in file order, key by key: an exact
// call, then the first 4, 3, 2 and 1 characters of a call or prefix, combined for calls with
// '/' by the same rules as the indexed lookup.  Far slower; kept as the reference the index
// is checked against.
std::uint16_t ScanCountry(const CountryList& list, std::string_view call, CountryInfo& out);

// The two lists of a station, owned by the shell for the whole run.
struct CountryLists {
  CountryList world;    // data/cty_wt.dat
  CountryList russian;  // data/cty_rus.dat
};

inline constexpr const char* kWorldCountryFile = "cty_wt.dat";
inline constexpr const char* kRussianCountryFile = "cty_rus.dat";

// Reads both files from `dataDir` (normally "data"); missing files give empty lists.
CountryLists LoadCountryFiles(const std::string& dataDir);
std::uint16_t LookupWorld(const CountryLists& lists, std::string_view call, CountryInfo& out);
std::uint16_t LookupRussian(const CountryLists& lists, std::string_view call, CountryInfo& out);

}  // namespace vk
