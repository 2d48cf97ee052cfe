#include <gtest/gtest.h>

#include <string>

#include "base/codepage.h"
#include "config/line_file.h"
#include "config/number_text.h"

namespace {

using config::TextToInt16;

TEST(ConfigCodePage, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(base::EncodeCodePage(base::DecodeCodePage(one)), one) << b;
    EXPECT_EQ(base::ByteChar(static_cast<uint8_t>(b)), base::DecodeCodePage(one)) << b;
    all += one;
  }
  EXPECT_EQ(base::EncodeCodePage(base::DecodeCodePage(all + all)), all + all);
}

TEST(ConfigCodePage, MapsTheHighHalf) {
  EXPECT_EQ(base::ByteChar(0x80), "\u20AC");
  EXPECT_EQ(base::ByteChar(0x81), "\u0081");
  EXPECT_EQ(base::ByteChar(0x9D), "\u009D");
  EXPECT_EQ(base::ByteChar(0x9F), "\u0178");
  EXPECT_EQ(base::ByteChar(0xA0), "\u00A0");
  EXPECT_EQ(base::ByteChar(0xE9), "\u00E9");
  EXPECT_EQ(base::EncodeCodePage("\u2122\u00FF"), "\x99\xFF");
}

TEST(ConfigCodePage, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(base::EncodeCodePage("a\u65E5b"), "a?b");
  EXPECT_EQ(base::EncodeCodePage("\u0080\U0001F600"), "??");  // C1 0x80 is not on the page
  EXPECT_EQ(base::EncodeCodePage("\xC3"), "?");               // cut short
  EXPECT_EQ(base::EncodeCodePage("\xC0\x80"), "??");          // overlong
  EXPECT_EQ(base::EncodeCodePage("\xED\xA0\x80"), "???");     // surrogate
  EXPECT_EQ(base::EncodeCodePage("\xFF\x80x"), "??x");
}

TEST(ConfigNumberText, AcceptsClassicNumbers) {
  const std::pair<const char*, int> cases[] = {
      {"0", 0},
      {"007", 7},
      {"  42 ", 42},
      {"\t-5", -5},
      {"+9", 9},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"2.51", 3},
      {"0.5", 0},
      {".5", 0},
      {"5.", 5},
      {"-0.4", 0},
      {"32767", 32767},
      {"-32768", -32768},
      {"32767.4", 32767},
      {"-32768.5", -32768},
      {"1e2", 100},
      {"12E-1", 1},
      {"15e-1", 2},
      {"0.000e9", 0},
      {"00000000000000000001", 1},
      {"&H1F", 31},
      {"&hff", 255},
      {"&HFFFF", -1},
  };
  for (const auto& [text, value] : cases) {
    const auto got = TextToInt16(text);
    ASSERT_TRUE(got.has_value()) << text;
    EXPECT_EQ(*got, value) << text;
  }
}

TEST(ConfigNumberText, RefusesEverythingElse) {
  for (const char* text :
       {"",      " ",       "-",       ".",           "12abc", "1 2",     "1,0", "--1",
        "32768", "-32769",  "32767.5", "99999999999", "1e",    "1e+",     "1e5", "1e999999999999",
        "&H",    "&H10000", "&HG",     "-&H1",        "0x1F",  "\xC2\xB2"}) {
    EXPECT_FALSE(TextToInt16(text).has_value()) << '"' << text << '"';
  }
}

TEST(ConfigLineSplitting, LineEndsTrimmingAndEmptyLines) {
  using V = std::vector<std::string>;
  EXPECT_EQ(config::SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(config::SplitLines("  a, b  \r\n\r\n   \r\n\tx \r\n"), (V{"a, b", "", "", "\tx"}));
  EXPECT_EQ(config::SplitLines("\n\r\r\n"), (V{"", "", ""}));
  EXPECT_EQ(config::SplitLines(""), V{});
  EXPECT_EQ(config::SplitFields(" a, b,,c "), (V{" a", " b", "", "c "}));
  EXPECT_EQ(config::SplitFields(","), (V{"", ""}));
  EXPECT_EQ(config::SplitFields(""), V{});
}

}  // namespace
