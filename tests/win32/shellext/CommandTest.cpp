// Help texts for the shell's status line, and commands the handler refuses
// or ignores.
#include "MenuItems.h"
#include "ShellClient.h"

#include <gtest/gtest.h>

namespace {

const char* const kHelpTexts[] = {
    "Displays the image.",
    "Prints the image.",
    "Sets the desktop wallpaper to the tiled image.",
    "Sets the desktop wallpaper to the centered image.",
    "Removes the desktop wallpaper.",
    "Converts the image to BMP format.",
    "Converts the image to JPG format.",
};

std::string AnsiText(IContextMenu* menu, UINT_PTR command, UINT type, UINT size = 300) {
  char text[300];
  memset(text, 'x', sizeof text);
  EXPECT_EQ(menu->GetCommandString(command, type, nullptr, text, size), S_OK);
  return std::string(text, strnlen(text, size));
}

std::wstring WideText(IContextMenu* menu, UINT_PTR command, UINT type, UINT size = 300) {
  WCHAR text[300];
  wmemset(text, L'x', 300);
  EXPECT_EQ(menu->GetCommandString(command, type, nullptr, reinterpret_cast<char*>(text), size),
            S_OK);
  return std::wstring(text, wcsnlen(text, size));
}

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

ComRef<IContextMenu> HandlerForAPicture() {
  return MenuHandlerFor({TestDataFile("jpeg/colour-420-24x16.jpg")});
}

TEST(CommandString, EachCommandHasItsAnsiHelpText) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  for (UINT command = 0; command < 7; ++command)
    EXPECT_EQ(AnsiText(menu.Get(), command, GCS_HELPTEXTA), kHelpTexts[command])
        << "offset " << command;
}

TEST(CommandString, TheWideHelpTextIsTheSameTextInUtf16) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  for (UINT command = 0; command < 7; ++command)
    EXPECT_EQ(WideText(menu.Get(), command, GCS_HELPTEXTW), Wide(kHelpTexts[command]))
        << "offset " << command;
}

TEST(CommandString, NoVerbsAreOfferedAndTheBufferIsLeftAlone) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  for (UINT type : {GCS_VERBA, GCS_VERBW}) {
    char text[64] = "untouched";
    EXPECT_EQ(menu->GetCommandString(4, type, nullptr, text, 32), E_NOTIMPL) << "type " << type;
    EXPECT_STREQ(text, "untouched") << "type " << type;
  }
}

TEST(CommandString, ValidateTellsTheCommandsFromOtherOffsets) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  for (UINT type : {GCS_VALIDATEA, GCS_VALIDATEW}) {
    for (UINT command = 0; command < 7; ++command)
      EXPECT_EQ(menu->GetCommandString(command, type, nullptr, nullptr, 0), S_OK)
          << "type " << type << ", offset " << command;
    for (UINT command : {7u, 100u})
      EXPECT_EQ(menu->GetCommandString(command, type, nullptr, nullptr, 0), S_FALSE)
          << "type " << type << ", offset " << command;
  }
}

TEST(CommandString, IsCutToTheCallersSizeAndTerminated) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  EXPECT_EQ(AnsiText(menu.Get(), 4, GCS_HELPTEXTA, 10), "Removes t");
  EXPECT_EQ(WideText(menu.Get(), 4, GCS_HELPTEXTW, 10), L"Removes t");
}

TEST(CommandString, UnknownOffsetGivesAnEmptyText) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  EXPECT_EQ(AnsiText(menu.Get(), 7, GCS_HELPTEXTA), "");
  EXPECT_EQ(WideText(menu.Get(), 7, GCS_HELPTEXTW), L"");
}

TEST(CommandString, AZeroSizedBufferIsLeftAlone) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  char text[4] = "abc";
  EXPECT_EQ(menu->GetCommandString(4, GCS_HELPTEXTW, nullptr, text, 0), S_OK);
  EXPECT_STREQ(text, "abc");
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int WindowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

CMINVOKECOMMANDINFO Invocation(LPCSTR verb) {
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.lpVerb = verb;
  info.nShow = SW_SHOWNORMAL;
  return info;
}

TEST(InvokeCommand, AVerbGivenAsAStringIsRefused) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  CMINVOKECOMMANDINFO info = Invocation("open");
  EXPECT_EQ(menu->InvokeCommand(&info), E_INVALIDARG);
}

TEST(InvokeCommand, AnOffsetBeyondTheCommandsDoesNothing) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  HMENU shellMenu = ShellMenuWith({"&Open"});
  menu->QueryContextMenu(shellMenu, 1, kFirstId, kFirstId + 50, CMF_NORMAL);
  const int windows = WindowsOfThisThread();
  CMINVOKECOMMANDINFO info = Invocation(MAKEINTRESOURCEA(9));
  EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
  EXPECT_EQ(WindowsOfThisThread(), windows);
  menu.Reset();
  DestroyMenu(shellMenu);
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(InvokeCommand, RemovingTheWallpaperRunsToItsEndAndLetsTheLibraryGo) {
  ComRef<IContextMenu> menu = HandlerForAPicture();
  ASSERT_TRUE(menu);
  CMINVOKECOMMANDINFO info = Invocation(MAKEINTRESOURCEA(4));
  EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
  menu.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

}  // namespace
