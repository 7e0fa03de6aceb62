// winwait CLASS SECONDS: waits until a top-level window of the class exists.
// Used by scripts/run to know when the font manager's window is up before it
// takes a screenshot. Exit code 0 when found, 1 on time-out.
#include <windows.h>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const DWORD limit = static_cast<DWORD>(std::atoi(argv[2])) * 1000;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < limit) {
    HWND window = FindWindowA(argv[1], nullptr);
    if (window && IsWindowVisible(window)) return 0;
    Sleep(200);
  }
  return 1;
}
