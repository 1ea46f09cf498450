// Exchanges of several fields read against the declared fields: any typed order stored in the
// declared one, each field taking only its own shape of text, and what is missing or not
// understood named for the operator.
#include <gtest/gtest.h>

#include "score/exchange_fields.h"
#include "score/score_context.h"

namespace vk {
namespace {

ExchangeSpec Layout(std::string_view text) {
  ExchangeSpec s;
  std::string error;
  EXPECT_TRUE(ParseExchangeSpec(text, s, error)) << text << ": " << error;
  return s;
}

TEST(ExchangeFields, TypedInAnyOrderStoredInTheDeclaredOne) {
  ScoreContext ctx(nullptr);
  for (const char* e : {"CT", "SCV", "NLI", "MA", "CA", "DX"}) ctx.AddDomestic(e);
  struct Case {
    const char* layout;
    const char* typed;
    const char* stored;
    const char* problem;
  } const cases[] = {
      {"nr prec ck sect", "123 A 75 CT", "123 A 75 CT", ""},
      {"nr prec ck sect", "ct 75 a 123", "123 A 75 CT", ""},  // any order, any case
      {"nr prec ck sect", "123A 75 CT", "123 A 75 CT", ""},   // serial and precedence joined
      {"nr prec ck sect", "12 A 75 CT", "12 A 75 CT", ""},    // two-digit serial keeps its place
      {"nr prec ck sect", "A 75 CT", "A 75 CT", "missing: nr"},  // 75 reads as the check
      {"nr prec ck sect", "123 X 75 CT", "123 75 CT X", "missing: prec; not understood: X"},
      {"nr prec ck sect", "123 A 75 ZZ", "123 A 75 ZZ", "missing: sect; not understood: ZZ"},
      {"name qth", "BOB MA", "BOB MA", ""},
      {"name qth", "1234 BOB", "BOB 1234", ""},  // a name has no digits
      {"name qth", "AL NY", "AL NY", ""},    // both could be either: the typed order wins
      {"name qth", "BOB 1234", "BOB 1234", ""},
      {"class sect", "sct 3A", "3A SCT", "missing: sect; not understood: SCT"},
      {"class sect", "DX 1A", "1A DX", ""},
      {"rst power sect", "599 KW", "599 KW", "missing: sect"},
      {"rst power sect", "59 100", "59 100", "missing: sect"},
      {"rst power sect", "MA 599", "599 MA", "missing: power"},
      {"grid", "fn31", "FN31", ""},
      {"grid", "599 FN31", "FN31 599", "not understood: 599"},
      {"rst nr", "", "", "missing: rst nr"},
  };
  for (const Case& c : cases) {
    const ExchangeSpec layout = Layout(c.layout);
    EXPECT_EQ(NormalisedExchange(layout, c.typed, &ctx), c.stored) << c.layout << " | " << c.typed;
    EXPECT_EQ(ExchangeProblem(layout, c.typed, &ctx), c.problem) << c.layout << " | " << c.typed;
  }
}

TEST(ExchangeFields, BadDeclarationsAndFloodsOfWords) {
  ExchangeSpec s;
  std::string error;
  EXPECT_FALSE(ParseExchangeSpec("nr serial", s, error));
  EXPECT_NE(error.find("serial"), std::string::npos);
  EXPECT_FALSE(ParseExchangeSpec("nr nr", s, error));
  EXPECT_FALSE(ParseExchangeSpec("", s, error));
  EXPECT_FALSE(ParseExchangeSpec("rst nr ck zone age power prec class grid", s, error));
  // A typed line of many words that many fields accept is read at once, and nothing is lost.
  const ExchangeSpec all = Layout("nr ck zone age power qth name rst");
  std::string typed;
  for (int i = 0; i < 40; ++i) typed += "11 ";
  const ExchangeReading r = ReadExchange(all, typed, nullptr);
  std::size_t words = r.unread.size();
  for (const auto& v : r.values) words += v.empty() ? 0 : 1;
  EXPECT_EQ(words, 40u);
}

}  // namespace
}  // namespace vk
