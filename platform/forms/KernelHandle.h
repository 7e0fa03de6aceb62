// Owners for kernel handles (files, processes, snapshots, file searches), so
// that every Close is paired by construction.
#pragma once

#include <windows.h>

template <typename Closer>
class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() {
    if (Valid()) Closer()(handle_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE Get() const { return handle_; }
  // Failing calls give either null or INVALID_HANDLE_VALUE.
  bool Valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseFileSearch {
  void operator()(HANDLE handle) const { FindClose(handle); }
};

// CreateFile, OpenProcess, CreateToolhelp32Snapshot ... / CloseHandle.
using KernelHandle = ScopedHandle<CloseKernelHandle>;
// FindFirstFile / FindClose.
using FileSearchHandle = ScopedHandle<CloseFileSearch>;
