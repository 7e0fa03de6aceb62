// The application-wide report of an exception that escaped an event handler.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

// "Application Exception: " + class name + " at " + the code offset in eight
// upper-case hex digits + "." + LF CR + message + the shutdown advice, which
// is "highly recommended" when the text mentions GPF in any case.
std::string ExceptionReportText(const std::string& className, uint32_t codeOffset,
                                const std::string& message);

// The offset of `address` from the start of the code of the module that
// holds it; 0 for a null address.
uint32_t CodeOffset(const void* address);

// Shows the report of `e` in the program's error box, with the default cursor.
void ReportException(const std::exception& e);
