// Received exchanges of several fields (Sweepstakes: number, precedence, check, section; NAQP:
// name and location; Field Day: class and section).  A contest declares its fields in order
// with <exchange>nr prec ck sect</exchange>; the operator may type them in any order, and the
// exchange is stored with its fields in the declared order, one space apart.  Each field word
// is both the field's name and the shape of text it takes:
//   rst    a signal report: 3 digits (599) or 2 (59), first digit 1..5
//   nr     a serial number: 1..5 digits
//   ck     a two-digit number (the Sweepstakes check: year first licensed)
//   zone   a zone number: 1 or 2 digits
//   age    a two-digit age
//   power  transmitter power: digits with an optional W, or K / KW (a kilowatt)
//   prec   the Sweepstakes precedence: one of Q A B U M S
//   class  a Field Day class: a number of transmitters and a letter (3A, 12F)
//   grid   a Maidenhead locator of 4 or 6 characters (EN61, KO85TS)
//   sect   an entry of the contest's domestic list (a section, state or province)
//   name   a word of letters (the operator's first name)
//   qth    any word (a state, province or country prefix; a member number)
// A number followed by a precedence letter ("123A") is read as two fields.  When two fields
// could take the same text (nr and ck both take "75"), the reading that keeps the typed order
// wins.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class ScoreContext;

enum class FieldKind : std::uint8_t {
  kRst, kNr, kCk, kZone, kAge, kPower, kPrec, kClass, kGrid, kSect, kName, kQth,
};

struct ExchangeField {
  std::string name;  // the field word, lower case
  FieldKind kind;
};

struct ExchangeSpec {
  std::vector<ExchangeField> fields;
  // <exchange required="all">: a QSO whose exchange lacks a field is held back before it is
  // logged (Sweepstakes: number, precedence, check and section are all part of the QSO).
  bool required = false;
  bool Empty() const { return fields.empty(); }
  // Position of a named field, -1 when the contest has none of that name.
  int IndexOf(std::string_view name) const;
};

// Reads the text of <exchange>.  False with `error` set for an unknown or repeated field word,
// or more than 8 fields.
bool ParseExchangeSpec(std::string_view text, ExchangeSpec& out, std::string& error);

// A typed exchange read against the fields: values[i] is field i's text (upper case), empty
// when missing; `unread` the words no field could take.
struct ExchangeReading {
  std::vector<std::string> values;
  std::vector<std::string> unread;
};
// `ctx` supplies the domestic list for sect fields (nullptr or an empty list: any word of
// letters and digits).
ExchangeReading ReadExchange(const ExchangeSpec& layout, std::string_view typed,
                             const ScoreContext* ctx);

// The fields in declared order, one space apart, then any unread words: the stored form.
std::string NormalisedExchange(const ExchangeSpec& layout, std::string_view typed,
                               const ScoreContext* ctx);

// What a field is called on the screen: "number", "precedence", "check", "section"...
std::string_view FieldTitle(FieldKind kind);

// What is wrong with a typed exchange, for the entry window ("missing: ck sect",
// "not understood: XYZ"); empty when every field is there.
std::string ExchangeProblem(const ExchangeSpec& layout, std::string_view typed,
                            const ScoreContext* ctx);

}  // namespace vk
