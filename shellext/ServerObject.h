// What every object the library hands to the shell shares: its reference
// count, and the library kept loaded while it lives.
#pragma once
#include <windows.h>

#include "shellext/module/Module.h"

class ServerObject {
 public:
  ServerObject(const ServerObject&) = delete;
  ServerObject& operator=(const ServerObject&) = delete;

 protected:
  ServerObject() = default;
  virtual ~ServerObject() = default;

  // For AddRef and Release; the last Release deletes the object.
  ULONG TakeReference() { return ++references_; }
  ULONG DropReference() {
    if (--references_ != 0) return references_;
    delete this;
    return 0;
  }

 private:
  ModuleCountHold loaded_;
  ULONG references_ = 0;
};
