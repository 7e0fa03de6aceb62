// The library's message boxes and dialogs, answered by a BoxScript. The
// library has its own copy of the modal seam, out of the client's reach, so
// its modal windows are caught as this thread creates them, as a person
// would see them appear.
#pragma once

#include "tests/win32/commands/BoxScript.h"

#include <windows.h>

#include <vector>

class LibraryBoxes {
 public:
  LibraryBoxes();
  ~LibraryBoxes();
  LibraryBoxes(const LibraryBoxes&) = delete;
  LibraryBoxes& operator=(const LibraryBoxes&) = delete;

  BoxScript script;
  // The captions of the dialogs that were not message boxes, in order.
  std::vector<std::string> dialogs;

 private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK AnswerNow(HWND window, UINT, UINT_PTR timer, DWORD);

  HHOOK hook_;
  std::vector<HWND> created_;
};
