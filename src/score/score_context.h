// What the scoring nodes know besides the QSO in hand: the two country lists, the own station,
// the operator's own exchange and the program-wide domestic list.  The rule tree owns one
// context for the whole run and the contest loader fills it.
//
// The score rules look the worked call up themselves, and several rules of one QSO (and the
// multiplier rules after them) ask about the same call, so the context remembers the last
// call looked up in each list and answers repeats from that memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "score/exchange_fields.h"
#include <vector>

#include "country/country.h"

namespace vk {

class Journal;

// A maritime or aeronautical mobile station ("/MM" or "/AM" after the call): it is in no
// country, so it has neither a country record nor a region.
bool IsMaritimeMobile(std::string_view call);

// Russian zone (1..7) of an entry of the Russian list; the zones are fixed blocks of entry
// numbers, so the list must keep its blocks in that order.  0 for entries outside the table
// and for 0 (call not found).
int RussianZoneOfEntry(std::uint16_t entryNumber);

class ScoreContext {
 public:
  // `journal` (nullptr: none) hears the multipliers recorded and the distances computed; it
  // outlives the context.
  explicit ScoreContext(Journal* journal = nullptr) : journal_(journal) {}
  Journal* journal() const { return journal_; }

  // The lists stay owned by the caller and must outlive the context (or be replaced here).
  void SetLists(const CountryList* world, const CountryList* russian);
  const CountryList* WorldList() const { return world_; }
  const CountryList* RussianList() const { return russian_; }

  // Own call and its world-list record.  SetOwnCall looks the call up; false when a non-empty
  // call is not in the world list (the record is then cleared).  An empty call is no error.
  bool SetOwnCall(std::string_view call);
  void SetOwnStation(std::string_view call, const CountryInfo& info);
  const std::string& OwnCall() const { return ownCall_; }
  const CountryInfo& Own() const { return own_; }

  // The operator's own exchange from the contest settings ("15", "55N37O", "KO85").
  void SetOwnExchange(std::string_view text) { ownExchange_ = text; }
  const std::string& OwnExchange() const { return ownExchange_; }

  // The fields of the received exchange (<exchange>); empty when the contest declares none.
  void SetExchange(ExchangeSpec layout) { exchange_ = std::move(layout); }
  const ExchangeSpec& Exchange() const { return exchange_; }

  // Region codes of the `domestic` multipliers; grows with every contest load.
  void AddDomestic(std::string_view entry);
  const std::vector<std::string>& Domestic() const { return domestic_; }
  // The first entry, in list order, that occurs inside `text`; nullptr when none does.  The
  // pointer is valid until the next AddDomestic.
  const std::string* FindDomestic(std::string_view text) const;
  // The same for whole words only: the first entry, in list order, that equals one of the
  // words of `text` (split at spaces and "/"), so TRAC is not RAC.
  const std::string* FindDomesticWord(std::string_view text) const;

  // Whether countries are the DXCC list: the world file's entries that are no DXCC entity of
  // their own (Sicily, Shetland, ...) then count as the entity they belong to.  Off by default:
  // the world file's list, with the WAE countries separate.
  void SetDxccCountries(bool on) { dxccCountries_ = on; }
  bool DxccCountries() const { return dxccCountries_; }
  // The country of a record as the contest counts it: its primary prefix, or under the DXCC
  // list the prefix of the entity it belongs to.  Valid as long as the record.
  std::string_view CountryKey(const CountryInfo& info) const;

  // Lookups of a worked call.  The reference is valid until the next lookup in the same list;
  // an unknown call, and a maritime mobile, give a cleared record (Found() false).
  const CountryInfo& WorldInfo(std::string_view call);
  const CountryInfo& RussianInfo(std::string_view call);
  // Russian zone of a call, 0 when the call is not in the Russian list.
  int RussianZone(std::string_view call) { return RussianZoneOfEntry(RussianInfo(call).number); }
  // Russian zone of the own call, looked up once per own call.
  int OwnRussianZone();
  // Drops the remembered lookups (the rules do this when the lists change).
  void ForgetLookups();

 private:
  struct Cached {
    bool valid = false;
    std::string call;
    CountryInfo info;
  };
  const CountryInfo& Lookup(const CountryList* list, Cached& cache, std::string_view call);

  Journal* journal_;
  const CountryList* world_ = nullptr;
  const CountryList* russian_ = nullptr;
  std::string ownCall_;
  CountryInfo own_;
  std::string ownExchange_;
  std::vector<std::string> domestic_;
  ExchangeSpec exchange_;
  // The RDA list holds thousands of districts of one length: the entries are found by looking
  // up the pieces of the text that have an entry's length, not by searching the text for each.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      return std::hash<std::string_view>{}(s);
    }
  };
  std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>> domesticFirst_;
  std::vector<std::size_t> domesticLengths_;  // distinct entry lengths, ascending
  int ownRussianZone_ = -1;                   // -1: not looked up yet
  bool dxccCountries_ = false;
  Cached worldCache_;
  Cached russianCache_;
};

}  // namespace vk
