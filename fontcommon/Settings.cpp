#include "fontcommon/Settings.h"

#include "fontcommon/Registry.h"
#include "fontcore/SettingsRules.h"

#include <string>

namespace {

int ReadSetting(const TSettingRule& rule) {
  std::string text;
  RegReadString(HKEY_CURRENT_USER, kSettingsKey, rule.ValueName, text, rule.DefaultText);
  return SettingFromText(rule, text);
}

void WriteSetting(const TSettingRule& rule, int value) {
  RegWriteString(HKEY_CURRENT_USER, kSettingsKey, rule.ValueName, std::to_string(value));
}

}  // namespace

int ReadAppTools() { return ReadSetting(kAppToolsRule); }

int ReadSampleSize() { return ReadSetting(kSampleSizeRule); }

int ReadTTFOnly() { return ReadSetting(kTTFOnlyRule); }

void SaveSettings(uint8_t appTools, int sampleSize, int ttfOnly) {
  WriteSetting(kAppToolsRule, appTools);
  WriteSetting(kSampleSizeRule, sampleSize);
  WriteSetting(kTTFOnlyRule, ttfOnly);
}
