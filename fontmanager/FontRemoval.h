// Removing installed fonts: each file is withdrawn from the running system,
// moved to the Recycle Bin and only then taken out of the Fonts key, so that
// a file that stays keeps its font installed.
#pragma once

#include "FontItems.h"

#include "fontcore/MessageNumbers.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Sets Recycle of every record (its file is not on a network drive) and
// returns how many have it set. A path that does not begin with a drive
// letter is on the network (a UNC path); any other raises ERangeError.
int MarkRecycleFiles(std::vector<TToDeleteItem>& list);

// Where a removal's error messages go.
using TRemovalErrorReport = std::function<void(Msg::Error number, const std::string& text)>;

// Removes one font file; failures are reported and leave the font loaded
// and registered. The entry of a file that is gone is deleted. A font the
// system will not withdraw loses file and entry all the same, and the user
// is told that it stays loaded.
void RemoveFontEntry(const std::string& entryName, const std::string& fileName, bool recycle,
                     const std::string& path, const TRemovalErrorReport& showError);

// Moves one file to the Recycle Bin silently; the shell's result code, 0 on
// success.
int RecycleFile(const std::string& path);

// The questions a removal asks and the errors it reports.
class TRemovalPrompts {
 public:
  virtual ~TRemovalPrompts() = default;
  // A ".FON" entry of `face` has no file: mrYes skips it, mrAll skips it
  // and every later one without asking, mrNo stops the removal.
  virtual uint16_t AskContinueWithoutEntry(const std::string& face) = 0;
  // Whether `familyCount` families, `recycleCount` of whose files go to the
  // Recycle Bin, are to be removed.
  virtual bool ConfirmRemoval(int familyCount, int recycleCount) = 0;
  virtual void ShowError(Msg::Error number, const std::string& text) = 0;
};

// One removal of the records collected for the selected families: a
// TrueType style each, or a family of ".FON" entries.
class TFontRemoval {
 public:
  // Files named without a path lie in `fontsDir`; `nonTTFFonts` holds the
  // entries of the ".FON" families.
  TFontRemoval(std::vector<TToDeleteItem>& records, const TNonTTFFonts& nonTTFFonts,
               const std::string& fontsDir, TRemovalPrompts& prompts)
      : records_(records), nonTTFFonts_(nonTTFFonts), fontsDir_(fontsDir), prompts_(prompts) {}
  TFontRemoval(const TFontRemoval&) = delete;
  TFontRemoval& operator=(const TFontRemoval&) = delete;

  // Finds the file of every record (a ".FON" family becomes one record per
  // entry that has one) and whether it goes to the Recycle Bin; false when
  // the user stopped or nothing is left to remove.
  bool Prepare();
  // Asks whether `familyCount` families are to go.
  bool Confirm(int familyCount);
  // Removes the file and entry of every record.
  void Remove();

 private:
  std::vector<TToDeleteItem>& records_;
  const TNonTTFFonts& nonTTFFonts_;
  std::string fontsDir_;
  TRemovalPrompts& prompts_;
  int recycleCount_ = 0;
};
