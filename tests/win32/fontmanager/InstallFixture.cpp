#include "InstallFixture.h"

#include "tests/win32/support/WinePaths.h"

#include <cstdlib>

namespace {

const char kHackFolder[] = "/usr/share/fonts/truetype/hack/";  // fonts-hack
std::vector<std::string> immutablePaths;

std::string Utf16BE(const std::string& ascii) {
  std::string text;
  for (char c : ascii) {
    text += '\0';
    text += c;
  }
  return text;
}

void ReplaceAll(std::string& bytes, const std::string& from, const std::string& to) {
  for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
    bytes.replace(at, from.size(), to);
}

int CALLBACK CollectFullName(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD, LPARAM names) {
  const auto* font = reinterpret_cast<const ENUMLOGFONTA*>(logFont);
  reinterpret_cast<std::set<std::string>*>(names)->insert(
      reinterpret_cast<const char*>(font->elfFullName));
  return 1;
}

void DeleteTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::vector<std::string> HackFullNames(const std::string& family) {
  return {family + " Regular", family + " Bold", family + " Italic", family + " Bold Italic"};
}

void CopyRenamed(const std::string& unixSource, const std::string& destination,
                 const std::string& from, const std::string& to) {
  std::string bytes = ReadWholeFile(WinePathOf(unixSource));
  ASSERT_GT(bytes.size(), 1000u) << unixSource << " is missing";
  ASSERT_LE(to.size(), from.size());
  // A shorter name ends at its NUL in the 8-bit texts of raster files.
  ReplaceAll(bytes, from, to + std::string(from.size() - to.size(), '\0'));
  if (to.size() == from.size()) ReplaceAll(bytes, Utf16BE(from), Utf16BE(to));
  WriteWholeFile(destination, bytes);
}

::testing::AssertionResult HoldsBytes(const std::string& path, const std::string& bytes) {
  if (!FileExists(path)) return ::testing::AssertionFailure() << path << " is gone";
  const std::string held = ReadWholeFile(path);
  if (held != bytes)
    return ::testing::AssertionFailure()
           << path << " holds " << held.size() << " other bytes instead of " << bytes.size();
  return ::testing::AssertionSuccess();
}

std::set<std::string> LoadedStyles(const std::string& family) {
  std::set<std::string> names;
  WindowDC dc(nullptr);
  EnumFontFamiliesA(dc.Get(), family.c_str(), CollectFullName, reinterpret_cast<LPARAM>(&names));
  return names;
}

std::string UnixPathOf(const std::string& windowsPath) {
  using UnixFileName = char*(CDECL*)(const WCHAR*);
  static const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixFileName) return std::string();
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unix = unixFileName(wide.c_str());
  if (!unix) return std::string();
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

void SetImmutable(const std::string& windowsPath, bool immutable) {
  // A Unix program started from Wine may still run when its handle says it
  // has ended: it leaves a mark when done, and that is waited for.
  static int calls = 0;
  const std::string mark =
      "/tmp/zel95-chattr-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++calls);
  std::string command = std::string("Z:\\bin\\sh -c \"chattr ") + (immutable ? "+i " : "-i ") +
                        UnixPathOf(windowsPath) + "; touch " + mark + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int wait = 0; wait < 500 && !FileExists(WinePathOf(mark)); ++wait) Sleep(20);
  DeleteFileA(WinePathOf(mark).c_str());
  if (immutable) immutablePaths.push_back(windowsPath);
}

std::string TrashedFile(const std::string& name) {
  const char* home = std::getenv("XDG_DATA_HOME");
  return home ? WinePathOf(std::string(home) + "/Trash/files/" + name) : std::string();
}

void InstallTest::SetUp() {
  MainWindowTest::SetUp();
  fonts = FontsFolder() + "\\";
}

void InstallTest::TearDown() {
  MainWindowTest::TearDown();
  for (const std::string& path : immutablePaths) SetImmutable(path, false);
  immutablePaths.clear();
  for (const std::string& file : fontFiles_) {
    const std::string path = file.find('\\') == std::string::npos ? fonts + file : file;
    for (int i = 0;
         i < 8 && (RemoveFontResourceA(path.c_str()) || RemoveFontResourceA(file.c_str())); ++i) {
    }
    if (path.compare(0, fonts.size(), fonts) == 0) {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
  }
  for (const std::string& folder : folders_) DeleteTree(folder);
}

std::string InstallTest::SourceFolder(const std::string& under) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  CreateDirectoryA(under.c_str(), nullptr);
  const std::string folder = under + "\\" + test->name();
  DeleteTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  folders_.push_back(folder);
  return folder;
}

std::vector<std::string> InstallTest::PutHackFamily(const std::string& folder,
                                                    const std::string& family, size_t styles) {
  std::vector<std::string> paths;
  for (size_t i = 0; i < styles; ++i) {
    std::string name = kHackStyles[i];
    name.replace(0, 4, family);
    const std::string path = folder + "\\" + name;
    CopyRenamed(std::string(kHackFolder) + kHackStyles[i], path, "Hack", family);
    paths.push_back(path);
    CleanUpFontFile(path);
    CleanUpFontFile(name);
  }
  return paths;
}

std::string InstallTest::PutRasterFont(const std::string& folder, const std::string& fileName,
                                       const std::string& face, const std::string& source) {
  const std::string path = folder + "\\" + fileName;
  CopyRenamed("/usr/share/wine/fonts/" + source, path, "MS Sans Serif", face);
  CleanUpFontFile(path);
  CleanUpFontFile(fileName);
  return path;
}

void InstallTest::InstallByHand(const std::string& path, const std::string& valueName, bool copy) {
  const std::string name = path.substr(path.find_last_of('\\') + 1);
  std::string loaded = path;
  if (copy) {
    ASSERT_TRUE(CopyFileA(path.c_str(), (fonts + name).c_str(), FALSE)) << path;
    loaded = name;
  }
  WriteString(HKEY_LOCAL_MACHINE, kFontsKeyPath, valueName, loaded);
  ASSERT_TRUE(AddFontResourceA(loaded.c_str())) << loaded;
}
