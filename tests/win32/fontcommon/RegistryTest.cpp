// The one-call registry operations against Wine's registry.
#include "RegistryTestKeys.h"

#include "fontcommon/Registry.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const char kBase[] = "Software\\Zel95 Tests";
const std::string kKey = std::string(kBase) + "\\Registry\\Deeper";

class RegistryOperations : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, kBase)); }
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kBase); }
};

TEST_F(RegistryOperations, ReadingAMissingKeyGivesTheDefaultAndLeavesTheKeyBehind) {
  std::string value = "stale";
  RegReadString(HKEY_CURRENT_USER, kKey, "Anything", value, "the default");
  EXPECT_EQ("the default", value);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));
  EXPECT_EQ(0, ValueCount(HKEY_CURRENT_USER, kKey));
}

TEST_F(RegistryOperations, ReadingAMissingValueGivesTheDefaultAndKeepsTheKey) {
  SetStringValue(HKEY_CURRENT_USER, kKey, "Other", "kept");
  std::string value;
  RegReadString(HKEY_CURRENT_USER, kKey, "Missing", value, "12");
  EXPECT_EQ("12", value);
  EXPECT_STREQ("kept", GetRawValue(HKEY_CURRENT_USER, kKey, "Other").data.c_str());
  EXPECT_EQ(1, ValueCount(HKEY_CURRENT_USER, kKey));
}

TEST_F(RegistryOperations, AWrittenStringIsStoredAsAStringAndReadBack) {
  EXPECT_TRUE(RegWriteString(HKEY_CURRENT_USER, kKey, "SampleSize", "20"));
  RawValue stored = GetRawValue(HKEY_CURRENT_USER, kKey, "SampleSize");
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
  EXPECT_EQ(std::string("20\0", 3), stored.data);

  std::string value;
  RegReadString(HKEY_CURRENT_USER, kKey, "SampleSize", value, "default");
  EXPECT_EQ("20", value);

  EXPECT_TRUE(RegWriteString(HKEY_CURRENT_USER, kKey, "SampleSize", ""));
  RegReadString(HKEY_CURRENT_USER, kKey, "SampleSize", value, "default");
  EXPECT_EQ("", value);
}

TEST_F(RegistryOperations, StringDataEndsAtItsFirstNulOrAtItsLength) {
  SetRawValue(HKEY_CURRENT_USER, kKey, "Unterminated", REG_SZ, "abc", 3);
  SetRawValue(HKEY_CURRENT_USER, kKey, "Embedded", REG_SZ, "ab\0cd", 6);
  std::string value;
  RegReadString(HKEY_CURRENT_USER, kKey, "Unterminated", value, "");
  EXPECT_EQ("abc", value);
  RegReadString(HKEY_CURRENT_USER, kKey, "Embedded", value, "");
  EXPECT_EQ("ab", value);

  std::string longText(5000, 'L');
  SetStringValue(HKEY_CURRENT_USER, kKey, "Long", longText);
  RegReadString(HKEY_CURRENT_USER, kKey, "Long", value, "");
  EXPECT_EQ(longText, value);
}

TEST_F(RegistryOperations, AValueThatIsNotAStringReadsAsMissing) {
  DWORD number = 2;
  SetRawValue(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, &number, sizeof number);
  std::string value;
  RegReadString(HKEY_CURRENT_USER, kKey, "Number", value, "3");
  EXPECT_EQ("3", value);
}

TEST_F(RegistryOperations, RemovingAValueDeletesItAndReportsWhetherItExisted) {
  SetStringValue(HKEY_CURRENT_USER, kKey, "Gone", "x");
  SetStringValue(HKEY_CURRENT_USER, kKey, "Stays", "y");
  EXPECT_TRUE(RegRemoveValue(HKEY_CURRENT_USER, kKey, "Gone"));
  EXPECT_EQ(static_cast<DWORD>(REG_NONE), GetRawValue(HKEY_CURRENT_USER, kKey, "Gone").type);
  EXPECT_EQ(1, ValueCount(HKEY_CURRENT_USER, kKey));
  EXPECT_FALSE(RegRemoveValue(HKEY_CURRENT_USER, kKey, "Gone"));
  EXPECT_FALSE(RegRemoveValue(HKEY_CURRENT_USER, std::string(kBase) + "\\Fresh", "None"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kBase) + "\\Fresh"));
}

TEST_F(RegistryOperations, ReadingAllValuesGivesNamesAndDataInTheRegistrysOrder) {
  SetStringValue(HKEY_CURRENT_USER, kKey, "Zeta Font (TrueType)", "ZETA.TTF");
  SetStringValue(HKEY_CURRENT_USER, kKey, "Alpha 8,10,12 (VGA res)", "C:\\FONTS\\ALPHA.FON");
  DWORD number = 7;
  SetRawValue(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, &number, sizeof number);
  SetStringValue(HKEY_CURRENT_USER, kKey, "", "default value");
  const std::map<std::string, std::string> expected = {
      {"Zeta Font (TrueType)", "ZETA.TTF"},
      {"Alpha 8,10,12 (VGA res)", "C:\\FONTS\\ALPHA.FON"},
      {"Number", ""},
      {"", "default value"}};

  std::vector<TRegValue> list{{"stale", "entry"}};
  RegReadValues(HKEY_CURRENT_USER, kKey, list);
  std::vector<std::string> order = ValueNames(HKEY_CURRENT_USER, kKey);
  ASSERT_EQ(4u, order.size());
  ASSERT_EQ(4u, list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(order[i], list[i].Name) << "entry " << i;
    EXPECT_EQ(expected.at(order[i]), list[i].Data) << "value '" << order[i] << "'";
  }
}

TEST_F(RegistryOperations, ReadingAllValuesOfAMissingKeyGivesNoneAndLeavesTheKey) {
  std::vector<TRegValue> list{{"stale", "entry"}};
  RegReadValues(HKEY_CURRENT_USER, kKey, list);
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));
}

TEST_F(RegistryOperations, AnInvalidRootFailsEveryOperationQuietly) {
  HKEY invalid = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
  EXPECT_FALSE(RegWriteString(invalid, "Key", "Name", "x"));
  EXPECT_FALSE(RegRemoveValue(invalid, "Key", "Name"));
  std::string value;
  RegReadString(invalid, "Key", "Name", value, "default");
  EXPECT_EQ("default", value);
  std::vector<TRegValue> list{{"stale", "entry"}};
  RegReadValues(invalid, "Key", list);
  EXPECT_TRUE(list.empty());
}

TEST_F(RegistryOperations, TheMachineWideInstallKeyHoldsTheProgramFolder) {
  const std::string installKey = "SOFTWARE\\Velmor\\Zel95\\CurrentVersion";
  ASSERT_TRUE(DeleteKeyTree(HKEY_LOCAL_MACHINE, installKey));
  EXPECT_TRUE(
      RegWriteString(HKEY_LOCAL_MACHINE, installKey, "AppDir", "C:\\Program Files\\Zel95\\"));
  std::string folder;
  RegReadString(HKEY_LOCAL_MACHINE, installKey, "AppDir", folder, "");
  EXPECT_EQ("C:\\Program Files\\Zel95\\", folder);
  EXPECT_EQ(std::string("C:\\Program Files\\Zel95\\\0", 24),
            GetRawValue(HKEY_LOCAL_MACHINE, installKey, "AppDir").data);
  DeleteKeyTree(HKEY_LOCAL_MACHINE, installKey);
}

}  // namespace
