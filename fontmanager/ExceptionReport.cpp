#include "ExceptionReport.h"

#include "fontcommon/MessageDialog.h"
#include "fontcore/Exceptions.h"
#include "platform/forms/ScreenCursor.h"

#include <windows.h>

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

// Exceptions of the program name their class; any other C++ exception is
// named by its type.
std::string ClassNameOf(const std::exception& e) {
  if (const auto* own = dynamic_cast<const Exception*>(&e)) return own->ClassName();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> name(
      abi::__cxa_demangle(typeid(e).name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && name ? name.get() : typeid(e).name();
}

const void* AddressOf(const std::exception& e) {
  const auto* own = dynamic_cast<const Exception*>(&e);
  return own ? own->Address() : nullptr;
}

}  // namespace

std::string ExceptionReportText(const std::string& className, uint32_t codeOffset,
                                const std::string& message) {
  char offset[9];
  snprintf(offset, sizeof offset, "%08X", static_cast<unsigned>(codeOffset));
  std::string text = className + " at " + offset + "." + "\n\r" + message;
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (upper.find("GPF") != std::string::npos)
    text += ". Shutdown of Zel 95 is highly recommended.";
  else
    text += ". Shutdown of Zel 95 is recommended.";
  return "Application Exception: " + text;
}

uint32_t CodeOffset(const void* address) {
  if (!address) return 0;
  MEMORY_BASIC_INFORMATION memory{};
  if (!VirtualQuery(address, &memory, sizeof memory) || !memory.AllocationBase) return 0;
  const auto* base = static_cast<const BYTE*>(memory.AllocationBase);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  uint32_t codeStart = 0;
  if (dos->e_magic == IMAGE_DOS_SIGNATURE) {
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature == IMAGE_NT_SIGNATURE) codeStart = nt->OptionalHeader.BaseOfCode;
  }
  return static_cast<uint32_t>(static_cast<const BYTE*>(address) - base) - codeStart;
}

void ReportException(const std::exception& e) {
  const std::string text = ExceptionReportText(ClassNameOf(e), CodeOffset(AddressOf(e)), e.what());
  SetScreenCursor(TCursor::Default);
  ShowMessageDialog(MessageBoxLook(mtError, text, {mbOK}));
}
