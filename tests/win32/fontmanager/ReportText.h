// Checks of the application-wide exception report's text.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// The report of an exception of `className` with `message`: the offset must
// be eight upper-case hex digits; returns them.
inline std::string ExpectReport(const std::string& text, const std::string& className,
                                const std::string& message, bool highly = false) {
  const std::string head = "Application Exception: " + className + " at ";
  const std::string tail = std::string(".\n\r") + message + ". Shutdown of Zel 95 is " +
                           (highly ? "highly recommended." : "recommended.");
  EXPECT_EQ(text.substr(0, head.size()), head) << text;
  EXPECT_EQ(text.size(), head.size() + 8 + tail.size()) << text;
  if (text.size() != head.size() + 8 + tail.size()) return std::string();
  const std::string offset = text.substr(head.size(), 8);
  for (char c : offset)
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F'))
        << "offset " << offset;
  EXPECT_EQ(text.substr(head.size() + 8), tail) << text;
  return offset;
}
