// Stand-in for the platform's font viewer FONTVIEW.EXE, which the font
// manager starts with the path of a font file as its command line. With
// ZEL95_FONTVIEW_LOG set it appends that command line to the named file (so
// that a test can see how it was started); otherwise it names the file it was
// asked to show.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char log[MAX_PATH] = "";
  if (GetEnvironmentVariableA("ZEL95_FONTVIEW_LOG", log, sizeof log) > 0) {
    if (FILE* out = std::fopen(log, "ab")) {
      std::fprintf(out, "%s\r\n", commandLine);
      std::fclose(out);
    }
    return 0;
  }
  const std::string text = std::string("Font file:\n") + commandLine;
  MessageBoxA(nullptr, text.c_str(), "Font Viewer", MB_OK | MB_ICONINFORMATION);
  return 0;
}
