// The call-history reader: the plain "CALL,FIELD" form Debian ships, the named-column form,
// and lines that must be skipped.
#include "aids/call_history.h"

#include <gtest/gtest.h>

#include <string>

namespace vk {
namespace {

TEST(CallHistory, PlainFileGivesFieldsByNumber) {
  CallHistory h;
  h.LoadText("#\n# DOK database\nDA0A,N11\r\nda0dom,\nDL1ABC,b06,Hans\nnocomma\n,X01\n");
  EXPECT_EQ(h.Size(), 3u);
  EXPECT_EQ(h.Stats().malformed, 2u);
  EXPECT_EQ(h.Value("DA0A", h.FieldIndex("1")), "N11");
  EXPECT_EQ(h.Value("DL1ABC", h.FieldIndex("2")), "HANS");
  EXPECT_EQ(h.Value("DA0DOM", 0), "");
  EXPECT_EQ(h.Value("DL9ZZZ", 0), "");
  EXPECT_EQ(h.FieldIndex("0"), -1);
  EXPECT_EQ(h.FieldIndex("Name"), -1);  // no column names in this file
}

TEST(CallHistory, OrderLineNamesColumnsAndPlacesTheCall) {
  CallHistory h;
  h.LoadText("!!Order!!,Name,Call,State\nJOHN,K1ABC,CT\nMARY,W1AW,CT\nMARY,W1AW,MA\n");
  EXPECT_EQ(h.FieldIndex("state"), 1);
  EXPECT_EQ(h.Value("K1ABC", h.FieldIndex("Name")), "JOHN");
  EXPECT_EQ(h.Value("W1AW", h.FieldIndex("STATE")), "MA");  // a later line wins
  // An order line without columns, or after the records, names nothing.
  h.LoadText("!!Order!!\nDA0A,N11\n!!Order!!,Dok,Call\n");
  EXPECT_EQ(h.Value("DA0A", h.FieldIndex("1")), "N11");
  EXPECT_EQ(h.FieldIndex("DOK"), -1);
}

TEST(CallHistory, InstalledFileLoadsWithoutMalformedLines) {
  CallHistory h;
  if (!h.Load("/usr/share/hamradio-files/WAG_call_history.txt")) GTEST_SKIP();
  EXPECT_GT(h.Size(), 4000u);
  EXPECT_EQ(h.Stats().malformed, 0u);
  EXPECT_EQ(h.Value("DA0A", 0), "N11");
  CallHistory none;
  EXPECT_EQ(none.Load("/nonexistent/history.txt").code, ErrCode::kNotFound);
  EXPECT_EQ(none.Size(), 0u);
}

}  // namespace
}  // namespace vk
