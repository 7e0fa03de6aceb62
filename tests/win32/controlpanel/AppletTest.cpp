// CPlApplet called as the Control Panel calls it, in this process; opening
// starts the real font manager from a folder named by AppDir.
#include "controlpanel/Applet.h"
#include "controlpanel/AppletInfo.h"
#include "controlpanel/OpenFontManager.h"

#include "fontcommon/Registry.h"

#include "tests/win32/support/ModalScript.h"
#include "tests/win32/support/Processes.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/WinePaths.h"

#include <gtest/gtest.h>

#include <cpl.h>

#include <cstring>
#include <optional>

namespace {

std::optional<std::string> ReadAppDir() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProgramKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  char data[MAX_PATH] = "";
  DWORD size = sizeof data;
  const LONG status =
      RegQueryValueExA(key, "AppDir", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return std::string(data);
}

void WriteAppDir(const std::optional<std::string>& dir) {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProgramKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  if (dir)
    RegSetValueExA(key, "AppDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir->c_str()),
                   static_cast<DWORD>(dir->size() + 1));
  else
    RegDeleteValueA(key, "AppDir");
  RegCloseKey(key);
}

std::string TempFolder(const char* name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + name;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// A box painted whole before it is taken.
void Snap(HWND box, const char* name) {
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveWindowScreenshot(box, name);
}

// AppDir as the test sets it, back as it was afterwards; a folder with a
// blank in its name holding a copy of the font manager.
class AppletTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY vendor;
    vendorKeyWasThere_ =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVendorKeyPath, 0, KEY_READ, &vendor) == ERROR_SUCCESS;
    if (vendorKeyWasThere_) RegCloseKey(vendor);
    saved_ = ReadAppDir();
    programDir_ = TempFolder("zel95 applet test");
    programPath_ = programDir_ + "\\Zel95APP.exe";
    ASSERT_TRUE(CopyFileA(WinePathOf(ZEL95APP_EXE).c_str(), programPath_.c_str(), FALSE));
    GetCurrentDirectoryA(sizeof savedDirectory_, savedDirectory_);
  }
  void TearDown() override {
    SetCurrentDirectoryA(savedDirectory_);
    // Opening leaves the key behind, as every read does; the test does not.
    if (vendorKeyWasThere_)
      WriteAppDir(saved_);
    else
      RegDeleteKeyTree(HKEY_LOCAL_MACHINE, kVendorKeyPath);
    DeleteFileA(programPath_.c_str());
    RemoveDirectoryA(programDir_.c_str());
  }

  static LONG Open() { return CPlApplet(nullptr, CPL_DBLCLK, 0, 0); }

  // The font manager that opening started from `path`: one process, its
  // window up. Closes it again.
  static void ExpectFontManagerFrom(const std::string& path) {
    HWND window = nullptr;
    DWORD process = 0;
    for (int wait = 0; wait < 600 && !window; ++wait, Sleep(100)) {
      for (const TRunningProgram& program : RunningPrograms("Zel95APP.exe")) {
        if (lstrcmpiA(program.Path.c_str(), path.c_str()) == 0) {
          process = program.Id;
          window = WaitForTopLevelWindow(process, "TfrmZel95", "Zel 95");
        }
      }
    }
    ASSERT_NE(window, nullptr) << "no font manager window from " << path;
    EXPECT_EQ(RunningPrograms("Zel95APP.exe").size(), 1u);
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(handle, 60000), WAIT_OBJECT_0);
    CloseHandle(handle);
  }

  static constexpr char kVendorKeyPath[] = "SOFTWARE\\Velmor";
  bool vendorKeyWasThere_ = false;
  std::optional<std::string> saved_;
  std::string programDir_;
  std::string programPath_;
  char savedDirectory_[MAX_PATH] = "";
};

TEST_F(AppletTest, TheControlPanelGetsOneAppletAndNoOldStyleInformation) {
  EXPECT_EQ(CPlApplet(nullptr, CPL_INIT, 0, 0), 1);
  EXPECT_EQ(CPlApplet(nullptr, CPL_GETCOUNT, 0, 0), 1);
  CPLINFO old;
  std::memset(&old, 0x5A, sizeof old);
  EXPECT_EQ(CPlApplet(nullptr, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&old)), 0);
  EXPECT_EQ(old.idIcon, 0x5A5A5A5A) << "CPL_INQUIRE wrote information";
  for (UINT message : {UINT(CPL_SELECT), UINT(CPL_STOP), UINT(CPL_EXIT), 0u, 3u, 9u, 100u})
    EXPECT_EQ(CPlApplet(nullptr, message, 0, 0), 0) << message;
  // Only the low 16 bits name the message.
  EXPECT_EQ(CPlApplet(nullptr, 0x50000 | CPL_GETCOUNT, 0, 0), 1);
}

TEST_F(AppletTest, NewInquiryGivesTheIconNameAndDescriptionAndLeavesTheRest) {
  NEWCPLINFOA info;
  std::memset(&info, 0x5A, sizeof info);
  EXPECT_EQ(CPlApplet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
  // The Control Panel's own layout, packed to bytes: 244 bytes on i686,
  // 252 on x86_64.
  const DWORD size = sizeof(void*) == 8 ? 252u : 244u;
  EXPECT_EQ(info.dwSize, size);
  EXPECT_EQ(sizeof info, size);
  EXPECT_STREQ(info.szName, "Zel 95 Font Manager");
  EXPECT_STREQ(info.szInfo, "Views, installs and removes fonts more comfortably.");
  EXPECT_EQ(info.dwFlags, 0x5A5A5A5Au);
  EXPECT_EQ(info.dwHelpContext, 0x5A5A5A5Au);
  EXPECT_EQ(static_cast<ULONG_PTR>(info.lData), ~ULONG_PTR{0} / 0xFF * 0x5A);
  EXPECT_EQ(static_cast<unsigned char>(info.szHelpFile[0]), 0x5Au);

  // The icon is the module's "MAINICON", 32 x 32.
  ASSERT_NE(info.hIcon, nullptr);
  EXPECT_EQ(info.hIcon, LoadIconA(AppletModule(), "MAINICON"));
  ICONINFO parts{};
  ASSERT_TRUE(GetIconInfo(info.hIcon, &parts));
  BITMAP colour{};
  GetObjectA(parts.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 32);
  EXPECT_EQ(colour.bmHeight, 32);
  DeleteObject(parts.hbmColor);
  DeleteObject(parts.hbmMask);
}

TEST_F(AppletTest, TheCommandLineHasOneBackslashBeforeTheProgramName) {
  EXPECT_EQ(FontManagerCommandLine("C:\\Program Files\\Zel95"),
            "C:\\Program Files\\Zel95\\Zel95APP");
  EXPECT_EQ(FontManagerCommandLine("C:\\Program Files\\Zel95\\"),
            "C:\\Program Files\\Zel95\\Zel95APP");
  EXPECT_EQ(FontManagerCommandLine("C:\\"), "C:\\Zel95APP");
  EXPECT_EQ(FontManagerCommandLine(""), "Zel95APP");
}

TEST_F(AppletTest, OpeningStartsTheFontManagerFromAppDirWithOrWithoutTheTrailingBackslash) {
  ModalScript boxes;
  for (const std::string& dir : {programDir_, programDir_ + "\\"}) {
    WriteAppDir(dir);
    EXPECT_EQ(Open(), 0);
    ExpectFontManagerFrom(programPath_);
  }
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(AppletTest, AFolderWithoutTheProgramGivesMessageEightWithTheCommandLine) {
  WriteAppDir(programDir_ + "\\nowhere");
  ModalScript boxes;
  boxes.OnBox = [](HWND box) { Snap(box, "applet-message-8"); };
  EXPECT_EQ(Open(), 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "Error");
  EXPECT_EQ(boxes.Shown()[0].Text,
            "Zel 95 Control Panel Application Error. Can not start ZEL95APP.EXE. File or Path \"" +
                programDir_ + "\\nowhere\\Zel95APP\" not valid.");
}

TEST_F(AppletTest, AProgramThatCannotRunGivesMessageNineWithTheCode) {
  const std::string badDir = TempFolder("zel95 applet bad");
  const std::string bad = badDir + "\\Zel95APP.exe";
  {
    HANDLE file = CreateFileA(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a program", 13, &written, nullptr);
    CloseHandle(file);
  }
  WriteAppDir(badDir);
  ModalScript boxes;
  boxes.OnBox = [](HWND box) { Snap(box, "applet-message-9"); };
  EXPECT_EQ(Open(), 0);
  DeleteFileA(bad.c_str());
  RemoveDirectoryA(badDir.c_str());
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text,
            "Zel 95 Control Panel Application Error. WinExec returned error code \"" +
                std::to_string(ERROR_BAD_FORMAT) + ".");
}

TEST_F(AppletTest, WithoutAppDirTheProgramIsSearchedForAsTheSystemSearches) {
  for (const std::optional<std::string>& dir :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    const char* which = dir ? "empty AppDir" : "no AppDir";
    WriteAppDir(dir);
    ModalScript boxes;
    // Not found: message 8 names what was looked for.
    SetCurrentDirectoryA(TempFolder("").c_str());
    EXPECT_EQ(Open(), 0);
    ASSERT_EQ(boxes.Shown().size(), 1u) << which;
    EXPECT_EQ(boxes.Shown()[0].Text,
              "Zel 95 Control Panel Application Error. Can not start ZEL95APP.EXE. File or Path "
              "\"Zel95APP\" "
              "not valid.")
        << which;
    // Found in the current folder: started.
    boxes.Forget();
    SetCurrentDirectoryA(programDir_.c_str());
    EXPECT_EQ(Open(), 0);
    ExpectFontManagerFrom(programPath_);
    EXPECT_TRUE(boxes.Shown().empty()) << which;
  }
}

}  // namespace
