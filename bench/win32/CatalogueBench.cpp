// How long the font manager takes to rebuild its catalogue (the Fonts key, the
// family enumeration with the measuring of every family, the sorted list)
// when 500 TrueType families are installed. Run under Wine in a prefix that
// gives this program Windows 95:
//   tests/win32/fontmanager/prepare-prefix catalogue_bench.exe
//   wine catalogue_bench.exe [rounds]
#include "FontCopies.h"

#include "fontmanager/MainForm.h"
#include "platform/forms/Modal.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
const char kSource[] = "Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf";
const int kFamilies = 500;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

void SetFontEntry(const std::string& name, const std::string* data) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr))
    return;
  if (data)
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data->c_str()),
                   static_cast<DWORD>(data->size() + 1));
  else
    RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

std::string EntryName(int number) {
  char name[40];
  std::snprintf(name, sizeof name, "Bench Sans %04d (TrueType)", number);
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  InitCommonControls();
  // No question may wait for a person.
  SetModalAnswerer([](HWND window) { PostMessageA(window, WM_COMMAND, IDNO, 0); });

  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "zel95bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::vector<std::string> files = MakeRenamedCopies(kSource, folder, kFamilies);
  int added = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    if (AddFontResourceA(files[i].c_str())) ++added;
    SetFontEntry(EntryName(static_cast<int>(i + 1)), &files[i]);
  }

  std::vector<double> times;
  double first = 0;
  int rows = 0;
  int trueType = 0;
  {
    TfrmZel95 form;
    // The window builds its first catalogue, with every family new to it.
    LARGE_INTEGER created, shown;
    QueryPerformanceCounter(&created);
    form.Create();
    QueryPerformanceCounter(&shown);
    first = Milliseconds(created, shown);
    for (int round = 0; round < rounds; ++round) {
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      form.sbRefresh.Click();
      QueryPerformanceCounter(&end);
      times.push_back(Milliseconds(start, end));
    }
    rows = form.lbFonts.Count();
    trueType = form.Catalogue().TrueTypeCount;
  }

  for (size_t i = 0; i < files.size(); ++i) {
    RemoveFontResourceA(files[i].c_str());
    SetFontEntry(EntryName(static_cast<int>(i + 1)), nullptr);
    DeleteFileA(files[i].c_str());
  }
  RemoveDirectoryA(folder.c_str());

  std::sort(times.begin(), times.end());
  std::printf("catalogue rebuild: %d font files added, %d rows (%d TrueType families), %d rounds\n",
              added, rows, trueType, rounds);
  std::printf("  window with its first catalogue %.1f ms\n", first);
  std::printf("  rebuild median %.1f ms, min %.1f ms, max %.1f ms\n", times[times.size() / 2],
              times.front(), times.back());
  return 0;
}
