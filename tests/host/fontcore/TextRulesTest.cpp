// The text rules behind the stored settings.
#include "fontcore/SettingsRules.h"
#include "fontcore/TextRules.h"
#include "fontcore/Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::string ConvertErrorOf(const std::string& text) {
  try {
    StrToInt(text);
  } catch (const EConvertError& e) {
    return e.Message();
  }
  return "no error";
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ("2", Trim(" 2 "));
  EXPECT_EQ("a b", Trim("\t\r\n a b \x01\x1f"));
  EXPECT_EQ("", Trim(" \t "));
  EXPECT_EQ("", Trim(""));
  EXPECT_EQ("\xe9t\xe9", Trim(" \xe9t\xe9 "));  // characters above 127 stay
}

TEST(StrToInt, ReadsSignedDecimalNumbers) {
  EXPECT_EQ(2, StrToInt("2"));
  EXPECT_EQ(-1, StrToInt("-1"));
  EXPECT_EQ(7, StrToInt("+7"));
  EXPECT_EQ(72, StrToInt("0072"));
  EXPECT_EQ(2147483647, StrToInt("2147483647"));
  EXPECT_EQ(-2147483647 - 1, StrToInt("-2147483648"));
}

TEST(StrToInt, RaisesAConversionErrorNamingTheText) {
  EXPECT_EQ("'abc' is not a valid integer value", ConvertErrorOf("abc"));
  EXPECT_EQ("'' is not a valid integer value", ConvertErrorOf(""));
  EXPECT_EQ("'1 2' is not a valid integer value", ConvertErrorOf("1 2"));
  EXPECT_EQ("' 2' is not a valid integer value", ConvertErrorOf(" 2"));
  EXPECT_EQ("'-' is not a valid integer value", ConvertErrorOf("-"));
  EXPECT_EQ("'$10' is not a valid integer value", ConvertErrorOf("$10"));
  EXPECT_EQ("'0x10' is not a valid integer value", ConvertErrorOf("0x10"));
  EXPECT_EQ("'2147483648' is not a valid integer value", ConvertErrorOf("2147483648"));
  EXPECT_EQ("'-2147483649' is not a valid integer value", ConvertErrorOf("-2147483649"));
  EXPECT_EQ("'99999999999999999999' is not a valid integer value",
            ConvertErrorOf("99999999999999999999"));
}

TEST(SettingFromText, AppToolsIsTrimmedAndFallsBackToBothBars) {
  EXPECT_EQ(2, SettingFromText(kAppToolsRule, " 2 "));
  EXPECT_EQ(0, SettingFromText(kAppToolsRule, "0"));
  EXPECT_EQ(3, SettingFromText(kAppToolsRule, "4"));
  EXPECT_EQ(3, SettingFromText(kAppToolsRule, "-1"));
  EXPECT_EQ(3, SettingFromText(kAppToolsRule, ""));
  EXPECT_EQ(3, SettingFromText(kAppToolsRule, " \t "));
  EXPECT_THROW(SettingFromText(kAppToolsRule, "both"), EConvertError);
}

TEST(SettingFromText, SampleSizeAccepts6To72) {
  EXPECT_EQ(12, SettingFromText(kSampleSizeRule, "5"));
  EXPECT_EQ(6, SettingFromText(kSampleSizeRule, "6"));
  EXPECT_EQ(72, SettingFromText(kSampleSizeRule, "72"));
  EXPECT_EQ(12, SettingFromText(kSampleSizeRule, "73"));
  EXPECT_EQ(12, SettingFromText(kSampleSizeRule, kSampleSizeRule.DefaultText));
  // An empty value that exists is no number.
  try {
    SettingFromText(kSampleSizeRule, "");
    ADD_FAILURE() << "no error for an empty SampleSize";
  } catch (const EConvertError& e) {
    EXPECT_EQ("'' is not a valid integer value", e.Message());
  }
}

TEST(SettingFromText, TTFOnlyAccepts0And1) {
  EXPECT_EQ(0, SettingFromText(kTTFOnlyRule, "0"));
  EXPECT_EQ(1, SettingFromText(kTTFOnlyRule, "1"));
  EXPECT_EQ(1, SettingFromText(kTTFOnlyRule, "2"));
  EXPECT_EQ(1, SettingFromText(kTTFOnlyRule, "-5"));
  EXPECT_EQ(1, SettingFromText(kTTFOnlyRule, kTTFOnlyRule.DefaultText));
}

TEST(SettingFromText, TheConversionErrorShowsTheTrimmedText) {
  try {
    SettingFromText(kTTFOnlyRule, " yes\r\n");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ("'yes' is not a valid integer value", e.Message());
    EXPECT_STREQ("EConvertError", e.ClassName());
  }
}

}  // namespace
