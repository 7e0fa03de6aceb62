#include "PrintedPage.h"

#include "tests/win32/support/WinePaths.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

long long SizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Starts a Linux program (Wine runs it like any other). Wine knows neither
// when it ends nor its exit code, so callers wait for its output.
bool StartUnixProgram(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

bool ReadPpm(const std::string& path, RenderedPage* page) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> page->width >> page->height >> maximum;
  in.get();
  if (magic == "P6" && maximum == 255 && page->width > 0 && page->height > 0) {
    page->rgb.resize(static_cast<size_t>(page->width) * page->height * 3);
    in.read(reinterpret_cast<char*>(page->rgb.data()),
            static_cast<std::streamsize>(page->rgb.size()));
    if (in) return true;
  }
  *page = RenderedPage();
  return false;
}

}  // namespace

std::string PdfFolder() { return EnvironmentValue("ZEL95_PDF_DIR"); }

std::set<std::string> PdfFiles() {
  std::set<std::string> names;
  if (PdfFolder().empty()) return names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((WinePathOf(PdfFolder()) + "\\*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string WaitForNewPdf(const std::set<std::string>& before, int seconds) {
  for (int tenth = 0; tenth < seconds * 10; ++tenth) {
    for (const std::string& name : PdfFiles()) {
      if (before.count(name)) continue;
      // Complete once its size holds still and it ends as a PDF does.
      const std::string path = WinePathOf(PdfFolder()) + "\\" + name;
      const long long size = SizeOf(path);
      Sleep(300);
      if (size > 0 && size == SizeOf(path)) return name;
    }
    Sleep(100);
  }
  return "";
}

bool NoNewPdf(const std::set<std::string>& before, int seconds) {
  for (int tenth = 0; tenth < seconds * 10; ++tenth) {
    for (const std::string& name : PdfFiles())
      if (!before.count(name)) return false;
    Sleep(100);
  }
  return true;
}

RenderedPage RenderPdf(const std::string& pdf, int dpi, const std::string& pngName) {
  RenderedPage page;
  const std::string unixPdf = PdfFolder() + "/" + pdf;
  const std::string unixOut = "/tmp/zel95-page-" + std::to_string(GetCurrentProcessId());
  const std::string ppm = WinePathOf(unixOut + ".ppm");
  DeleteFileA(ppm.c_str());
  if (!StartUnixProgram("Z:\\usr\\bin\\pdftoppm -r " + std::to_string(dpi) + " -singlefile " +
                        unixPdf + " " + unixOut))
    return page;
  // The picture is complete once all its pixels can be read.
  for (int tenth = 0; tenth < 600 && !ReadPpm(ppm, &page); ++tenth) Sleep(100);
  DeleteFileA(ppm.c_str());
  const std::string screens = EnvironmentValue("ZEL95_SCREENS");
  if (!pngName.empty() && !screens.empty())
    StartUnixProgram("Z:\\usr\\bin\\pdftoppm -r 60 -png -singlefile " + unixPdf + " " + screens +
                     "/" + pngName);
  return page;
}

InkBox FindInk(const RenderedPage& page, int top, int bottom) {
  InkBox box{page.width, page.height, -1, -1};
  for (int y = std::max(0, top); y < std::min(bottom, page.height); ++y)
    for (int x = 0; x < page.width; ++x) {
      if (page.IsWhite(x, y)) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  if (box.right < 0) return InkBox();
  return box;
}
