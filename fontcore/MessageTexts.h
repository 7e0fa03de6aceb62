// The wording of every numbered message of the program. A caller passes a
// number and the texts to insert; the number is the interface, the wording
// lives only here. Inserted texts go in as they are, with no quoting or
// trimming.
#pragma once

#include "fontcore/MessageNumbers.h"
#include "fontcore/Exceptions.h"

#include <cstdint>
#include <string>

// A message number that no catalogue defines: a fault of the program itself.
class EUndefinedMessage : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EUndefinedMessage"; }
};

// Error messages 1 to 9 and 11 to 13.
std::string ErrorMessageText(Msg::Error number, const std::string& text);
// Verify questions 1 to 6.
std::string VerifyMessageText(Msg::Verify number, const std::string& text1,
                              const std::string& text2);
// Information message 2.
std::string InfoMessageText(Msg::Info number);
