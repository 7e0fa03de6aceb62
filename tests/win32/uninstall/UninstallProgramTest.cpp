// UninstallProgram in this process, for what a separate process cannot
// provoke: another instance that cannot be ended.
#include "fontmanager/Uninstall.h"

#include "tests/win32/support/ModalScript.h"
#include "tests/win32/support/Screenshot.h"

#include <gtest/gtest.h>

namespace {

bool UninstallKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

TEST(UninstallProgram, AnInstanceThatCannotBeEndedGivesMessageElevenAndChangesNothing) {
  HKEY key;
  const bool keyWasThere = UninstallKeyExists();
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);

  ModalScript boxes(IDOK);
  boxes.Answer({IDYES, IDOK, IDOK});
  boxes.OnBox = [&boxes](HWND box) {
    if (boxes.Shown().size() == 3) SaveWindowScreenshot(box, "uninstall-message-11");
  };
  // No process has this id, so none can be opened to be ended.
  UninstallProgram(0xFFFFFFF0);
  ASSERT_EQ(boxes.Shown().size(), 3u);
  EXPECT_EQ(boxes.Shown()[0].Text, "Are you sure you want to remove Zel 95 permanently ?");
  EXPECT_EQ(boxes.Shown()[1].Caption, "Information");
  EXPECT_EQ(boxes.Shown()[2].Caption, "Error");
  EXPECT_EQ(
      boxes.Shown()[2].Text,
      "Can not remove Zel 95 because it is running at the moment. Stop Zel 95 and try again.");
  EXPECT_TRUE(UninstallKeyExists())
      << "the uninstall registration went although the removal stopped";

  if (!keyWasThere) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
}

}  // namespace
