// File and path helpers of the font manager: listing, short paths, whether a
// file can be deleted, and the copy that keeps a font file safe while it is
// removed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Entries of Folder that match the wildcard Pattern ("*.TTF") and whose
// attribute bits all lie within the mask Attributes; 0 when the folder does
// not exist. A backslash joins the two unless Folder ends with one.
int CountFiles(const std::string& folder, const std::string& pattern, uint16_t attributes);

// The short (8.3) form of Path as the file system gives it; the path
// unchanged when it cannot be shortened (it does not exist).
std::string GetShortPath(const std::string& path);

// Whether `path` could be deleted now: opened for deletion with no sharing.
bool CanDelete(const std::string& path);

// The file's bytes, held in memory until the file is safely in the Recycle
// Bin: a shell that cannot move a file there deletes it for good instead.
// Memory rather than a copy on the disk, so that a full disk cannot stop a
// removal; and reading the file first finds one that another program holds.
class SafetyCopy {
 public:
  explicit SafetyCopy(const std::string& path);
  // 0 once the bytes are held, else the system's code for why they are not.
  unsigned long Error() const { return error_; }
  // Writes the file back where it was; a partial file does not stay.
  void Restore();

 private:
  std::string path_;
  std::vector<char> bytes_;
  unsigned long error_ = 0;
};
