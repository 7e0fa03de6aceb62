// How long a right click on a 4000 x 3000 JPEG keeps the shell waiting in
// QueryContextMenu (detection and the thumbnail decode included), with the
// built Glimmora32.dll called as the shell calls it. Run under Wine:
//   wine query_menu_bench.exe [rounds]
#include "BenchTiming.h"
#include "tests/win32/shellext/ShellDataObject.h"
#include "bench/bench_jpeg_picture.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// {68F32140-2CA3-11D0-ACC1-444553540000}
const CLSID kGlimmoraClassId = {
    0x68F32140, 0x2CA3, 0x11D0, {0xAC, 0xC1, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

std::string WritePicture() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "glimmora-bench-4000x3000.jpg";
  const std::vector<uint8_t>& bytes = bench_jpeg::BaselineJpeg();
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  CoInitialize(nullptr);
  HMODULE server = LoadLibraryA(WindowsPath(GLIMMORA32_DLL).c_str());
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(server, "DllGetClassObject")));
  if (!getClassObject) {
    std::fprintf(stderr, "query_menu_bench: cannot load %s\n", GLIMMORA32_DLL);
    return 1;
  }
  const std::string picture = WritePicture();
  ComRef<IDataObject> data = ShellDataObjectFor({picture});
  ComRef<IClassFactory> factory;
  getClassObject(kGlimmoraClassId, IID_IClassFactory, factory.OutVoid());
  if (!data || !factory) {
    std::fprintf(stderr, "query_menu_bench: no data object or class object\n");
    return 1;
  }

  // Each round is a new right click: a new handler, initialised, asked
  // for its items, released.
  RoundTimes query;
  RoundTimes click;
  int added = 0;
  click.Measure(rounds, [&] {
    ComRef<IShellExtInit> init;
    ComRef<IContextMenu> handler;
    factory->CreateInstance(nullptr, IID_IShellExtInit, init.OutVoid());
    init->Initialize(nullptr, data.Get(), nullptr);
    init->QueryInterface(IID_IContextMenu, handler.OutVoid());
    HMENU menu = CreatePopupMenu();
    query.Measure(1, [&] { handler->QueryContextMenu(menu, 0, 1, 100, CMF_NORMAL); });
    added = GetMenuItemCount(menu);
    handler.Reset();
    init.Reset();
    DestroyMenu(menu);
  });
  std::sort(query.milliseconds.begin(), query.milliseconds.end());
  std::printf(
      "QueryContextMenu, 4000x3000 JPEG, %d items added: median %.1f ms, min %.1f ms, max %.1f ms "
      "(%d rounds)\n",
      added, query.Median(), query.Min(), query.Max(), rounds);
  std::printf("whole right click (create, initialise, query, release): median %.1f ms\n",
              click.Median());
  DeleteFileA(picture.c_str());
  factory.Reset();
  CoUninitialize();
  return 0;
}
