// UninstallZel95 in this process: its command line as the font manager
// writes it, the log format, and removing and restoring what a log lists, in
// the test prefix's real file system and registry.
#include "tools/uninstall/InstallLog.h"
#include "tools/uninstall/InstallRecorder.h"
#include "tools/uninstall/UninstallArguments.h"
#include "tools/uninstall/Uninstaller.h"

#include "fontmanager/Uninstall.h"

#include "tests/win32/support/ModalScript.h"
#include "tests/win32/support/Screenshot.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

namespace {

const char kTestKey[] = "Software\\Zel95 Uninstaller Test";
const char kTestKeyFull[] = "HKEY_CURRENT_USER\\Software\\Zel95 Uninstaller Test";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> ReadString(const std::string& path, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  char data[256] = "";
  DWORD size = sizeof data;
  const LONG status =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::optional<std::string>(data) : std::nullopt;
}

void WriteString(const std::string& path, const char* name, const std::string& data) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(key);
}

bool KeyExists(const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

void DeleteTestKey() {
  RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\Existing\\Made").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\Existing").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\New\\Deeper").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\New").c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

// A program folder with a blank in its name, two files and a log; an
// existing key whose value the installation replaces and one it adds.
class UninstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "Zel95 uninstall test";
    CreateDirectoryA(folder_.c_str(), nullptr);
    for (const char* name : {"\\One.exe", "\\Two.dll"}) WriteText(folder_ + name, "installed");
    log_ = folder_ + "\\Install.Log";
    DeleteTestKey();
    WriteString(std::string(kTestKey) + "\\Existing", "", "before");
    WriteString(std::string(kTestKey) + "\\Existing", "Kept", "untouched");
  }
  void TearDown() override {
    for (const char* name : {"\\One.exe", "\\Two.dll", "\\Install.Log"})
      DeleteFileA((folder_ + name).c_str());
    RemoveDirectoryA(folder_.c_str());
    DeleteTestKey();
  }

  // Records what the registry file below changes, then imports it as
  // regedit would, and writes the whole log.
  void Install() {
    const std::string regFile = std::string("REGEDIT4\r\n\r\n[") + kTestKeyFull +
                                "\\Existing]\r\n@=\"ours\"\r\n\"Added\"=\"ours too\"\r\n\r\n[" +
                                kTestKeyFull + "\\Existing\\Made]\r\n\"X\"=\"1\"\r\n\r\n[" +
                                kTestKeyFull + "\\New\\Deeper]\r\n\"Y\"=dword:00000001\r\n";
    std::vector<TLogEntry> entries = {{TLogKind::Folder, folder_, "", ""},
                                      {TLogKind::File, folder_ + "\\One.exe", "", ""},
                                      {TLogKind::File, folder_ + "\\Two.dll", "", ""}};
    for (const TLogEntry& entry : RecordRegistryChanges(ParseRegFile(regFile)))
      entries.push_back(entry);
    WriteText(log_, FormatInstallLog(entries));
    WriteString(std::string(kTestKey) + "\\Existing", "", "ours");
    WriteString(std::string(kTestKey) + "\\Existing", "Added", "ours too");
    WriteString(std::string(kTestKey) + "\\Existing\\Made", "X", "1");
    WriteString(std::string(kTestKey) + "\\New\\Deeper", "Y", "1");
  }

  std::string CommandLine(const char* switches = " /A ") const {
    return "C:\\Program Files\\Zel95\\UninstallZel95.exe" + std::string(switches) + log_ +
           " \"Remove Zel 95\"";
  }

  std::string folder_;
  std::string log_;
};

TEST_F(UninstallerTest, TheFontManagersCommandLineArrivesWholeDespiteTheBlanks) {
  const std::string line = UninstallerCommandLine("C:\\Program Files\\Zel95\\");
  EXPECT_EQ(line,
            "C:\\Program Files\\Zel95\\UninstallZel95.exe /A C:\\Program Files\\Zel95\\Install.Log "
            "\"Remove Zel 95\"");
  const TUninstallArguments arguments = ParseUninstallArguments(line);
  EXPECT_TRUE(arguments.Automatic);
  EXPECT_EQ(arguments.LogPath, "C:\\Program Files\\Zel95\\Install.Log");
  EXPECT_EQ(arguments.Title, "Remove Zel 95");
}

TEST_F(UninstallerTest, QuotedPathsAndMissingPartsAreUnderstood) {
  TUninstallArguments a =
      ParseUninstallArguments("\"C:\\A B\\UninstallZel95.exe\" /a \"C:\\A B\\Install.Log\"");
  EXPECT_TRUE(a.Automatic);
  EXPECT_EQ(a.LogPath, "C:\\A B\\Install.Log");
  EXPECT_EQ(a.Title, "Remove Zel 95");

  a = ParseUninstallArguments("UNINSTALLZEL95.EXE C:\\Install.Log \"Take it away\"");
  EXPECT_FALSE(a.Automatic);
  EXPECT_EQ(a.LogPath, "C:\\Install.Log");
  EXPECT_EQ(a.Title, "Take it away");

  a = ParseUninstallArguments("C:\\Program Files\\Zel95\\UninstallZel95.exe");
  EXPECT_EQ(a.LogPath, "");
}

TEST_F(UninstallerTest, TheLogReadsBackWhatWasWrittenAndRefusesWhatItDoesNotKnow) {
  const std::vector<TLogEntry> entries = {
      {TLogKind::Folder, "C:\\Program Files\\Zel95", "", ""},
      {TLogKind::File, "C:\\windows\\system32\\Zel95.cpl", "", ""},
      {TLogKind::Key, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmor", "", ""},
      {TLogKind::Value, "HKEY_CLASSES_ROOT\\.png", "", ""},
      {TLogKind::Restore, "HKEY_CLASSES_ROOT\\.gif", "Content Type", "image/gif"}};
  const std::string text = FormatInstallLog(entries);
  EXPECT_EQ(text,
            "ZEL95 INSTALL LOG 1\r\n"
            "Folder\tC:\\Program Files\\Zel95\r\n"
            "File\tC:\\windows\\system32\\Zel95.cpl\r\n"
            "Key\tHKEY_LOCAL_MACHINE\\SOFTWARE\\Velmor\r\n"
            "Value\tHKEY_CLASSES_ROOT\\.png\t\r\n"
            "Restore\tHKEY_CLASSES_ROOT\\.gif\tContent Type\timage/gif\r\n");
  EXPECT_EQ(ParseInstallLog(text), entries);
  EXPECT_FALSE(ParseInstallLog("C:\\Program Files\\Zel95\\Zel95APP.exe\r\n"));
  EXPECT_FALSE(ParseInstallLog("ZEL95 INSTALL LOG 1\r\nDelete\tC:\\\r\n"));
  EXPECT_FALSE(ParseInstallLog("ZEL95 INSTALL LOG 1\r\nFile\t\r\n"));
  EXPECT_FALSE(ParseInstallLog(""));
}

TEST_F(UninstallerTest, TheRecordNamesTheTopmostNewKeyAndTheValuesOfKeysThatWereThere) {
  Install();
  const std::string existing = std::string(kTestKeyFull) + "\\Existing";
  const std::vector<TLogEntry> expected = {
      {TLogKind::Restore, existing, "", "before"},
      {TLogKind::Value, existing, "Added", ""},
      {TLogKind::Key, existing + "\\Made", "", ""},
      {TLogKind::Key, std::string(kTestKeyFull) + "\\New", "", ""}};
  const std::optional<std::vector<TLogEntry>> log = ParseInstallLog(ReadText(log_));
  ASSERT_TRUE(log);
  EXPECT_EQ(std::vector<TLogEntry>(log->begin() + 3, log->end()), expected);
}

TEST_F(UninstallerTest, EverythingListedGoesAndTheRegistryIsAsBeforeSilently) {
  Install();
  ModalScript boxes;
  EXPECT_EQ(RunUninstaller(CommandLine()), 0);
  EXPECT_TRUE(boxes.Shown().empty()) << boxes.Shown()[0].Text;
  EXPECT_FALSE(Exists(folder_)) << folder_;
  const std::string existing = std::string(kTestKey) + "\\Existing";
  EXPECT_EQ(ReadString(existing, ""), "before");
  EXPECT_EQ(ReadString(existing, "Kept"), "untouched");
  EXPECT_EQ(ReadString(existing, "Added"), std::nullopt);
  EXPECT_FALSE(KeyExists(existing + "\\Made"));
  EXPECT_FALSE(KeyExists(std::string(kTestKey) + "\\New"));
}

TEST_F(UninstallerTest, WhatStaysIsShownAndKeptInTheLogForAnotherTry) {
  Install();
  const std::string held = folder_ + "\\Two.dll";
  HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ModalScript boxes;
  boxes.OnBox = [](HWND box) { SaveWindowScreenshot(box, "uninstaller-could-not-remove"); };
  const int code = RunUninstaller(CommandLine());
  CloseHandle(file);
  EXPECT_EQ(code, 1);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "Remove Zel 95");
  EXPECT_EQ(boxes.Shown()[0].Text,
            "Zel 95 has been removed, except for these items, which could not be removed:"
            "\r\n\r\n" +
                folder_ + "\r\n" + held);
  EXPECT_FALSE(Exists(folder_ + "\\One.exe"));
  EXPECT_EQ(ReadText(log_),
            "ZEL95 INSTALL LOG 1\r\nFolder\t" + folder_ + "\r\nFile\t" + held + "\r\n");
  EXPECT_EQ(ReadString(std::string(kTestKey) + "\\Existing", ""), "before");

  // The second try, with nothing in the way, finishes the work.
  EXPECT_EQ(RunUninstaller(CommandLine()), 0);
  EXPECT_FALSE(Exists(folder_));
}

TEST_F(UninstallerTest, ALogItCannotReadRemovesNothing) {
  WriteText(log_, "C:\\windows\\system32\r\n");
  ModalScript boxes;
  EXPECT_EQ(RunUninstaller(CommandLine()), 1);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text,
            "The installation log " + log_ + " cannot be read. Nothing has been removed.");
  EXPECT_TRUE(Exists(folder_ + "\\One.exe"));
  EXPECT_TRUE(Exists(log_));
}

TEST_F(UninstallerTest, WithoutTheAutomaticSwitchItAsksFirst) {
  Install();
  ModalScript boxes(IDNO);
  EXPECT_EQ(RunUninstaller(CommandLine(" ")), 1);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Text, "Remove Zel 95 and all of its components from this computer?");
  EXPECT_TRUE(Exists(folder_ + "\\One.exe"));
  EXPECT_EQ(ReadString(std::string(kTestKey) + "\\Existing", ""), "ours");

  boxes.Answer({IDYES});
  EXPECT_EQ(RunUninstaller(CommandLine(" ")), 0);
  EXPECT_FALSE(Exists(folder_));
}

}  // namespace
