// The three user settings read from and written to Wine's registry.
#include "RegistryTestKeys.h"

#include "fontcommon/Settings.h"
#include "fontcore/Exceptions.h"

#include <gtest/gtest.h>

namespace {

const char kKey[] = "SOFTWARE\\Velmor\\Zel95";

class Settings : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, kKey)); }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kKey); }

  void Store(const char* name, const char* text) {
    SetStringValue(HKEY_CURRENT_USER, kKey, name, text);
  }

  static std::string ConvertError(int (*read)()) {
    try {
      read();
    } catch (const EConvertError& e) {
      return e.Message();
    }
    return "no error";
  }
};

TEST_F(Settings, WithoutAKeyBothBarsSize12AndTrueTypeOnlyAndAnEmptyKeyStays) {
  EXPECT_EQ(3, ReadAppTools());
  EXPECT_EQ(12, ReadSampleSize());
  EXPECT_EQ(1, ReadTTFOnly());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(0, ValueCount(HKEY_CURRENT_USER, kKey));
}

TEST_F(Settings, AppToolsIsTrimmedAndOutOfRangeGivesBothBars) {
  Store("AppTools", " 2 ");
  EXPECT_EQ(2, ReadAppTools());
  Store("AppTools", "4");
  EXPECT_EQ(3, ReadAppTools());
  Store("AppTools", "-1");
  EXPECT_EQ(3, ReadAppTools());
  Store("AppTools", "0");
  EXPECT_EQ(0, ReadAppTools());
  Store("AppTools", "");
  EXPECT_EQ(3, ReadAppTools());
}

TEST_F(Settings, SampleSizeOutside6To72Gives12) {
  Store("SampleSize", "5");
  EXPECT_EQ(12, ReadSampleSize());
  Store("SampleSize", "73");
  EXPECT_EQ(12, ReadSampleSize());
  Store("SampleSize", "6");
  EXPECT_EQ(6, ReadSampleSize());
  Store("SampleSize", "72");
  EXPECT_EQ(72, ReadSampleSize());
}

TEST_F(Settings, TTFOnlyOutside0To1Gives1) {
  Store("TTFOnly", "2");
  EXPECT_EQ(1, ReadTTFOnly());
  Store("TTFOnly", "0");
  EXPECT_EQ(0, ReadTTFOnly());
}

TEST_F(Settings, TextThatIsNoNumberRaisesAConversionError) {
  Store("SampleSize", "big");
  EXPECT_EQ("'big' is not a valid integer value", ConvertError(ReadSampleSize));
  Store("SampleSize", "");
  EXPECT_EQ("'' is not a valid integer value", ConvertError(ReadSampleSize));
  Store("AppTools", "1 2");
  EXPECT_EQ("'1 2' is not a valid integer value", ConvertError(ReadAppTools));
  Store("TTFOnly", " yes ");
  EXPECT_EQ("'yes' is not a valid integer value", ConvertError(ReadTTFOnly));
}

TEST_F(Settings, SavingWritesThreeDecimalStrings) {
  SaveSettings(2, 20, 0);
  for (auto [name, text] : {std::pair<const char*, const char*>{"AppTools", "2"},
                            {"SampleSize", "20"},
                            {"TTFOnly", "0"}}) {
    RawValue stored = GetRawValue(HKEY_CURRENT_USER, kKey, name);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type) << name;
    EXPECT_EQ(std::string(text) + '\0', stored.data) << name;
  }
  EXPECT_EQ(3, ValueCount(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(2, ReadAppTools());
  EXPECT_EQ(20, ReadSampleSize());
  EXPECT_EQ(0, ReadTTFOnly());
}

}  // namespace
