// A file written under a temporary name beside its target and moved into
// the target's place only when it is complete: a failed or cancelled write
// leaves neither a half-written file nor a lost old one.
// Started as a copy of the target, it keeps the old file to put back.
#pragma once
#include <windows.h>

#include <string>

class ReplacementFile {
 public:
  // Makes the temporary file (empty) in the target's folder.
  explicit ReplacementFile(const std::string& target);
  // Makes it a copy of the target as it is now, so that Commit puts the
  // target back as it was; not ready when the target cannot be copied.
  struct CopyOfTarget {};
  ReplacementFile(const std::string& target, CopyOfTarget);
  // Removes the temporary file unless it has been committed.
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // False when no temporary file could be made there.
  bool IsReady() const { return !temporary_.empty(); }
  const char* TemporaryPath() const { return temporary_.c_str(); }
  // Replaces the target with the temporary file; false (and the target
  // untouched) when that is refused, as for a read-only target.
  bool Commit();

 private:
  std::string target_;
  std::string temporary_;
};
