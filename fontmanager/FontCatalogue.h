// The installed-font catalogue: the registered ".FON" faces of the Fonts key
// joined with the system's enumeration of font families, measured at the
// sample size, as the rows of the font list. The same enumeration collects
// the fonts of a family for removal.
#pragma once

#include "FontItems.h"

#include "platform/forms/Canvas.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// One row of the font list: the face it shows and the family behind it.
struct TFontRow {
  std::string Face;
  std::unique_ptr<TToShowItem> Item;
};

class TFontCatalogue {
 public:
  TFontCatalogue() = default;
  TFontCatalogue(const TFontCatalogue&) = delete;
  TFontCatalogue& operator=(const TFontCatalogue&) = delete;

  TNonTTFFonts FNonTTFFonts;
  // Exists only while a removal collects its fonts.
  std::unique_ptr<std::vector<TToDeleteItem>> FToDelete;
  double FHeightPerPoint = 0.0;

  // Counters and measures of the last rebuild.
  uint16_t TrueTypeCount = 0;
  uint16_t NonTTFCount = 0;
  int32_t MaxTextHeight = 0;
  int32_t MaxDescent = 0;
  int32_t EnumSampleSize = 0;

  // Rebuilds everything and the rows: the ".FON" faces registered under
  // `fontsDir`, then every family, measured at `sampleSize` on the screen
  // of `window`; only TrueType families get a row when `trueTypeOnly`.
  // Rows that point into the last rebuild's records must be gone before.
  void Rebuild(HWND window, const std::string& fontsDir, int32_t sampleSize, bool trueTypeOnly);
  // The rows of the last rebuild in the order of the enumeration; after a
  // rebuild that failed, those made until then.
  const std::vector<TFontRow>& Rows() const { return rows_; }
  // Rebuilds FNonTTFFonts from the Fonts key; files named without a path
  // lie in `fontsDir`.
  void ReadRegistryFonts(const std::string& fontsDir);
  // Adds the fonts of `family` to FToDelete, one per TrueType style.
  void CollectToDelete(HWND window, const std::string& family);
  bool IsInToDelete(const std::string& name, bool trueType) const;
  // Releases the rows and the records behind them.
  void ReleaseShowItems() { rows_.clear(); }

 private:
  friend int CALLBACK FontEnumProc(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM);

  // Enumerates `family` (all families when null) for `action`; an exception
  // raised for one family is raised again once the system's code returned.
  void Enumerate(HWND window, const char* family, TEnumAction action);
  // One family of the running enumeration; false ends it.
  bool TakeFamily(const ENUMLOGFONTA& logFont, const TEXTMETRICA& textMetric) noexcept;
  void ShowFamily(const ENUMLOGFONTA& logFont, const TEXTMETRICA& textMetric);
  void AddToDelete(const ENUMLOGFONTA& logFont, const TEXTMETRICA& textMetric);
  // The cell height and descent of `face` at the sample size.
  void Measure(const std::string& face, const TEXTMETRICA& textMetric, bool isTrueType,
               int32_t* height, int32_t* descent);

  std::vector<TFontRow> rows_;
  bool trueTypeOnly_ = false;

  // The running enumeration.
  TEnumAction action_ = eaShow;
  TCanvas* measureCanvas_ = nullptr;
  // Faces it has met already.
  std::set<std::string> enumeratedFaces_;
  std::exception_ptr failure_;

  // Realising a TrueType face to measure it costs far more than the rest of
  // a family's row, so a rebuild keeps the measures of the last one for the
  // families that come back with the same design metrics at the same size.
  struct TMeasure {
    NEWTEXTMETRICA design;
    int32_t size;
    int32_t height;
    int32_t descent;
  };
  std::map<std::string, TMeasure> measures_, lastMeasures_;
};

// The font family enumeration's callback; `catalogue` is the TFontCatalogue
// that enumerates.
int CALLBACK FontEnumProc(const LOGFONTA* logFont, const TEXTMETRICA* textMetric, DWORD fontType,
                          LPARAM catalogue);
