#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using platform::cp932Length;
using platform::cp932Prefix;
using platform::cp932ToUtf8;
using platform::utf8SequenceLength;
using platform::utf8ToCp932;

TEST(Cp932, LengthsCountShiftJisBytes) {
  EXPECT_EQ(cp932Length(""), 0u);
  EXPECT_EQ(cp932Length("ＡＢＣ"), 6u);       // full-width letters: 2 each
  EXPECT_EQ(cp932Length("ﾁｬ"), 2u);           // half-width katakana: 1 each
  EXPECT_EQ(cp932Length("ネオ・ポムリー"), 14u);
  EXPECT_EQ(cp932Length("a1"), 2u);
}

TEST(Cp932, RoundTripKeepsBytes) {
  const std::string text = "あなたのお名前はー・・・ＡＣＥちゃんね、フーン①ﾁｬ";
  auto sjis = utf8ToCp932(text);
  ASSERT_TRUE(sjis.has_value());
  auto back = cp932ToUtf8(*sjis);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, text);
  // Known encodings: Ａ = 82 60, ｱ = B1.
  EXPECT_EQ(*utf8ToCp932("Ａｱ"), std::string("\x82\x60\xB1"));
}

TEST(Cp932, InvalidInputIsRejected) {
  EXPECT_FALSE(cp932ToUtf8(std::string("\x82")).has_value());        // lead byte alone
  EXPECT_FALSE(cp932ToUtf8(std::string("\x82\x20")).has_value());    // bad trail byte
  EXPECT_FALSE(utf8ToCp932("\xF0\x9F\x98\x80").has_value());          // emoji has no CP932 form
}

TEST(Cp932, PrefixNeverSplitsACharacter) {
  EXPECT_EQ(cp932Prefix("ＡＢＣＤＥＦＧＨＩＪ", 18), "ＡＢＣＤＥＦＧＨＩ");
  EXPECT_EQ(cp932Prefix("ＡＢ", 3), "Ａ");
  EXPECT_EQ(cp932Prefix("ｱＡｲ", 3), "ｱＡ");
  EXPECT_EQ(cp932Prefix("ＡＢ", 0), "");
}

TEST(Cp932, Utf8SequenceLengthFollowsTheLeadByte) {
  for (const char* ch : {"a", "é", "Ａ", "\xF0\x9F\x98\x80"})
    EXPECT_EQ(utf8SequenceLength(static_cast<unsigned char>(ch[0])), std::strlen(ch)) << ch;
  // A byte that cannot lead a sequence is passed over alone.
  EXPECT_EQ(utf8SequenceLength(0x80), 1u);
  EXPECT_EQ(utf8SequenceLength(0xFF), 1u);
}

}  // namespace
