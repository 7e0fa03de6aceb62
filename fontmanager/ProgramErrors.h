// The font manager's own exception classes for states that should not occur.
#pragma once

#include "fontcore/Exceptions.h"

// An internal consistency error: the program's data disagree with themselves.
class EUnexpected : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EUnexpected"; }
};

// A value outside the range a table is indexed by.
class ERangeError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ERangeError"; }
};
