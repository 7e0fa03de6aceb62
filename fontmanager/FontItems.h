// The records behind the rows of the font list and behind one removal.
#pragma once

#include <string>
#include <vector>

// One row of lbFonts: a font family.
struct TToShowItem {
  std::string Name;  // TrueType: full name of the enumerated font; others: the face name
  bool TrueType = false;
};

// One font file to remove.
struct TToDeleteItem {
  std::string Name;      // TrueType: full name of a style; others: an entry name of the Fonts key
  std::string FileName;  // data of the Fonts-key entry
  std::string Path;      // full path of the font file
  bool TrueType = false;
  bool Recycle = false;  // the file goes to the Recycle Bin (not on a network drive)
};

// What the font family enumeration does with each family.
enum TEnumAction { eaShow = 0, eaDelete = 1 };

// The non-TrueType faces of the registered ".FON" files: per face, the entry
// names of the Fonts key that hold it, in registry order. Look-up ignores case.
class TNonTTFFonts {
 public:
  struct Face {
    std::string Name;
    std::vector<std::string> Entries;
  };

  // Index of `face`, -1 when absent.
  int IndexOf(const std::string& face) const;
  // Adds `entry` to the face, adding the face when it is new.
  void Add(const std::string& face, const std::string& entry);
  void Clear() { faces_.clear(); }
  int Count() const { return static_cast<int>(faces_.size()); }
  const Face& operator[](int index) const { return faces_[index]; }

 private:
  std::vector<Face> faces_;
};
