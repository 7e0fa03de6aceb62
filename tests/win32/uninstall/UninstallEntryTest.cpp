// "Zel95APP /UNINSTALL" of the installed product, run as its own process,
// its boxes answered through their windows. The last case removes the
// product; the test run then compares the prefix with its state before the
// installation.
#include "tests/win32/support/Processes.h"
#include "tests/win32/support/Screenshot.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const char kProgramDir[] = "C:\\Program Files\\Zel95\\";
const char kProgram[] = "C:\\Program Files\\Zel95\\Zel95APP.exe";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zel95";
const char kControlPanelClassKey[] =
    "SOFTWARE\\Classes\\CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}";
// Wine's Control Panel window is titled apart from what its class key says.
const char kWineControlPanelTitle[] = "Wine Control Panel";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct TValue {
  std::string Name;
  std::string Data;
};

std::optional<std::vector<TValue>> ReadKey(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  std::vector<TValue> values;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    char data[1024];
    DWORD dataSize = sizeof data;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                      &dataSize) != ERROR_SUCCESS)
      break;
    values.push_back(TValue{name, data});
  }
  RegCloseKey(key);
  return values;
}

void WriteKey(const char* path, const std::vector<TValue>& values) {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  for (const TValue& value : values)
    RegSetValueExA(key, value.Name.empty() ? nullptr : value.Name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.Data.c_str()),
                   static_cast<DWORD>(value.Data.size() + 1));
  RegCloseKey(key);
}

// Waits for the font manager's box `caption` from `process`, saves its
// picture, presses `button` and returns its text.
std::string Answer(DWORD process, const char* caption, int button, const std::string& screenshot) {
  HWND box = WaitForTopLevelWindow(process, nullptr, caption);
  if (!box) return "(no box \"" + std::string(caption) + "\")";
  Sleep(300);
  SaveWindowScreenshot(box, screenshot);
  const std::string text = ControlText(GetDlgItem(box, 101));
  SendMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  WaitUntilGone(box);
  return text;
}

const char kQuestion[] = "Are you sure you want to remove Zel 95 permanently ?";
const char kInformation[] =
    "Zel 95 will now be removed. If you don't receive any error messages during this "
    "process, the removal has been done successfully.";

class UninstallEntryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Exists(kProgram)) << "the product is not installed"; }
};

TEST_F(UninstallEntryTest, TheAnswerNoChangesNothing) {
  const std::optional<std::vector<TValue>> key = ReadKey(kUninstallKey);
  ASSERT_TRUE(key);
  StartedProgram uninstall(kProgram, std::string("\"") + kProgram + "\" /UNINSTALL");
  EXPECT_EQ(Answer(uninstall.Id(), "Confirm", IDNO, "uninstall-question"), kQuestion);
  EXPECT_EQ(uninstall.ExitCode(), 0u);
  EXPECT_TRUE(TopLevelWindows(uninstall.Id(), nullptr, nullptr, false).empty());
  EXPECT_TRUE(ReadKey(kUninstallKey));
  EXPECT_TRUE(Exists(std::string(kProgramDir) + "UninstallZel95.exe"));
  EXPECT_TRUE(Exists(std::string(kProgramDir) + "Install.Log"));
}

// A copy of the program in a folder without the uninstaller, alone and with
// another instance of that copy running.
TEST_F(UninstallEntryTest,
       AMissingUninstallerGivesMessageTwelveAfterTheOtherInstanceEndedAndTheKeyWent) {
  const std::optional<std::vector<TValue>> key = ReadKey(kUninstallKey);
  ASSERT_TRUE(key);
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "Zel95 without uninstaller";
  const std::string copy = folder + "\\Zel95APP.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(kProgram, copy.c_str(), FALSE));
  for (bool withOther : {false, true}) {
    SCOPED_TRACE(withOther ? "with another instance" : "alone");
    std::optional<StartedProgram> other;
    if (withOther) {
      other.emplace(copy, "\"" + copy + "\"");
      ASSERT_NE(WaitForTopLevelWindow(other->Id(), "TfrmZel95", "Zel 95"), nullptr);
    }
    StartedProgram uninstall(copy, "\"" + copy + "\" /UNINSTALL");
    EXPECT_EQ(Answer(uninstall.Id(), "Confirm", IDYES, "uninstall-question"), kQuestion);
    EXPECT_EQ(Answer(uninstall.Id(), "Information", IDOK, "uninstall-information"), kInformation);
    if (other) {
      EXPECT_EQ(other->ExitCode(10000), 0u) << "the other instance still runs";
    }
    EXPECT_EQ(Answer(uninstall.Id(), "Error", IDOK, "uninstall-message-12"),
              "Error removing Zel 95. The UninstallZel95.Exe file may be missing.");
    EXPECT_EQ(uninstall.ExitCode(), 0u);
    EXPECT_FALSE(ReadKey(kUninstallKey)) << "the uninstall registration is still there";
    WriteKey(kUninstallKey, *key);
  }
  DeleteFileA(copy.c_str());
  RemoveDirectoryA(folder.c_str());
}

// Last: the product goes, from a running instance and an open Control Panel.
TEST_F(UninstallEntryTest, TheProductRemovesItselfWithTheInstanceAndTheControlPanelEnded) {
  const std::optional<std::vector<TValue>> classKey = ReadKey(kControlPanelClassKey);
  ASSERT_TRUE(classKey);
  WriteKey(kControlPanelClassKey, {{"", kWineControlPanelTitle}});
  {
    StartedProgram controlPanel("", "control.exe");
    HWND panel = WaitForTopLevelWindow(0, nullptr, kWineControlPanelTitle);
    ASSERT_NE(panel, nullptr);
    StartedProgram other(kProgram, std::string("\"") + kProgram + "\"");
    ASSERT_NE(WaitForTopLevelWindow(other.Id(), "TfrmZel95", "Zel 95"), nullptr);

    StartedProgram uninstall(kProgram, std::string("\"") + kProgram + "\" /UNINSTALL");
    EXPECT_EQ(Answer(uninstall.Id(), "Confirm", IDYES, "uninstall-question"), kQuestion);
    EXPECT_EQ(Answer(uninstall.Id(), "Information", IDOK, "uninstall-information"), kInformation);
    EXPECT_EQ(other.ExitCode(10000), 0u) << "the other instance still runs";
    EXPECT_TRUE(WaitUntilGone(panel)) << "the Control Panel is still open";
    EXPECT_EQ(uninstall.ExitCode(), 0u);

    // The uninstaller works on its own; any box of it would say what stayed.
    for (int wait = 0; wait < 600 && !RunningPrograms("UninstallZel95.exe").empty(); ++wait) {
      for (HWND box : TopLevelWindows(0, nullptr, "Remove Zel 95", true)) {
        SaveWindowScreenshot(box, "uninstaller-box");
        ADD_FAILURE() << ControlText(GetDlgItem(box, 101));
        PostMessageA(box, WM_CLOSE, 0, 0);
      }
      Sleep(100);
    }
    EXPECT_TRUE(RunningPrograms("UninstallZel95.exe").empty());
  }
  WriteKey(kControlPanelClassKey, *classKey);
  EXPECT_FALSE(Exists(kProgramDir));
  EXPECT_FALSE(ReadKey(kUninstallKey));
}

}  // namespace
