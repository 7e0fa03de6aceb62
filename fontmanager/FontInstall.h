// Installing font files: copied into the fonts folder (or left where they
// are), registered in the Fonts key and made available at once.
#pragma once

#include "FontFileRec.h"

#include "fontcore/MessageNumbers.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The question an installation asks and the errors it reports.
class TInstallPrompts {
 public:
  virtual ~TInstallPrompts() = default;
  // `target` exists already: mrYes replaces it, mrAll it and every later
  // one without asking, mrNo skips the file.
  virtual uint16_t AskOverwrite(const std::string& target) = 0;
  virtual void ShowError(Msg::Error number, const std::string& text) = 0;
};

// One chosen font: the text of its entry (a family or a full name) and the
// record of the scan that listed it.
struct TInstallEntry {
  std::string Text;
  const TFontFileRec* Listed = nullptr;
};

class TFontInstallation {
 public:
  // `records` are the files read by the scans; in family mode an entry
  // stands for every file of its family, else for the file of its full
  // name. `network`: the files lie on a network drive. `fontsFolder` ends
  // in a backslash.
  TFontInstallation(const std::vector<std::unique_ptr<TFontFileRec>>& records, bool familyMode,
                    bool copy, bool network, const std::string& fontsFolder,
                    TInstallPrompts& prompts)
      : records_(records),
        familyMode_(familyMode),
        copy_(copy),
        network_(network),
        fontsFolder_(fontsFolder),
        prompts_(prompts) {}
  TFontInstallation(const TFontInstallation&) = delete;
  TFontInstallation& operator=(const TFontInstallation&) = delete;

  // Installs the files of `entries`, last to first, and announces the
  // change; false when a file that cannot be replaced stopped it.
  bool Install(const std::vector<TInstallEntry>& entries);
  // The indexes of the entries all of whose files were installed, last
  // first.
  const std::vector<int>& DoneEntries() const { return done_; }

 private:
  enum class TCopyOutcome { Copied, Skipped, Stop };
  // Copies the file of `record` to `target`, replacing an older file only
  // once the new one is complete, so that a failure loses neither.
  TCopyOutcome CopyInto(const TFontFileRec& record, const std::string& target);

  const std::vector<std::unique_ptr<TFontFileRec>>& records_;
  bool familyMode_;
  bool copy_;
  bool network_;
  std::string fontsFolder_;
  TInstallPrompts& prompts_;
  bool overwriteAll_ = false;
  std::vector<int> done_;
};
