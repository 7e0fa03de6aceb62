#include "fontcore/SettingsRules.h"

#include "fontcore/TextRules.h"

int SettingFromText(const TSettingRule& rule, const std::string& text) {
  std::string trimmed = Trim(text);
  if (rule.EmptyIsDefault && trimmed.empty()) return rule.Default;
  int value = StrToInt(trimmed);
  return value < rule.Lo || value > rule.Hi ? rule.Default : value;
}
