#include "FontCatalogue.h"

#include "FontsKey.h"

#include "fontcore/FontReaders.h"
#include "fontcommon/Messages.h"
#include "fontcommon/Registry.h"
#include "platform/forms/PointFont.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

namespace {

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The enumeration's metrics of a TrueType face, padding aside: equal ones
// come from the same design.
bool SameDesign(const NEWTEXTMETRICA& a, const NEWTEXTMETRICA& b) {
  return a.tmHeight == b.tmHeight && a.tmAscent == b.tmAscent && a.tmDescent == b.tmDescent &&
         a.tmInternalLeading == b.tmInternalLeading && a.tmExternalLeading == b.tmExternalLeading &&
         a.tmAveCharWidth == b.tmAveCharWidth && a.tmMaxCharWidth == b.tmMaxCharWidth &&
         a.tmWeight == b.tmWeight && a.tmOverhang == b.tmOverhang && a.tmItalic == b.tmItalic &&
         a.tmPitchAndFamily == b.tmPitchAndFamily && a.tmCharSet == b.tmCharSet &&
         a.ntmFlags == b.ntmFlags && a.ntmSizeEM == b.ntmSizeEM &&
         a.ntmCellHeight == b.ntmCellHeight && a.ntmAvgWidth == b.ntmAvgWidth;
}

}  // namespace

void TFontCatalogue::ReadRegistryFonts(const std::string& fontsDir) {
  std::vector<TRegValue> entries;
  RegReadValues(HKEY_LOCAL_MACHINE, kFontsKey, entries);
  std::vector<std::string> obsolete;
  for (const TRegValue& entry : entries) {
    if (UpperCase(entry.Data).find(".FON") == std::string::npos) continue;
    const std::string path = FontFilePath(fontsDir, entry.Data);
    std::string description;
    std::string faceName;
    bool scalable = false;
    switch (ReadFonNames(path, description, faceName, scalable)) {
      case frNotFound:
        if (AskVerifyMessage(Msg::Verify::RemoveInvalidEntry, entry.Name, path, {mbYes, mbNo}) ==
            mrYes)
          obsolete.push_back(entry.Name);
        break;
      case frOK:
        FNonTTFFonts.Add(faceName, description);
        break;
      case frFailed:
        break;
    }
  }
  // Deleted after the walk, so that the walk never sees the key change.
  for (const std::string& name : obsolete) DeleteFontEntry(name);
}

void TFontCatalogue::Rebuild(HWND window, const std::string& fontsDir, int32_t sampleSize,
                             bool trueTypeOnly) {
  ReleaseShowItems();
  FNonTTFFonts.Clear();
  NonTTFCount = 0;
  TrueTypeCount = 0;
  ReadRegistryFonts(fontsDir);

  MaxTextHeight = 0;
  MaxDescent = 0;
  EnumSampleSize = sampleSize;
  trueTypeOnly_ = trueTypeOnly;
  enumeratedFaces_.clear();
  // Families gone since the last rebuild are forgotten.
  lastMeasures_.swap(measures_);
  measures_.clear();
  try {
    Enumerate(window, nullptr, eaShow);
  } catch (...) {
    lastMeasures_.clear();
    throw;
  }
  lastMeasures_.clear();
  FHeightPerPoint = static_cast<double>(MaxTextHeight) / sampleSize;
  NonTTFCount = static_cast<uint16_t>(FNonTTFFonts.Count());
}

void TFontCatalogue::CollectToDelete(HWND window, const std::string& family) {
  Enumerate(window, family.c_str(), eaDelete);
}

bool TFontCatalogue::IsInToDelete(const std::string& name, bool trueType) const {
  if (!FToDelete) return false;
  return std::any_of(FToDelete->begin(), FToDelete->end(), [&](const TToDeleteItem& item) {
    return item.Name == name && item.TrueType == trueType;
  });
}

void TFontCatalogue::Enumerate(HWND window, const char* family, TEnumAction action) {
  {
    WindowDC dc(window);
    TCanvas canvas(dc.Get());
    action_ = action;
    measureCanvas_ = &canvas;
    failure_ = nullptr;
    EnumFontFamiliesA(dc.Get(), family, FontEnumProc, reinterpret_cast<LPARAM>(this));
    measureCanvas_ = nullptr;
  }
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

int CALLBACK FontEnumProc(const LOGFONTA* logFont, const TEXTMETRICA* textMetric, DWORD,
                          LPARAM catalogue) {
  return reinterpret_cast<TFontCatalogue*>(catalogue)->TakeFamily(
             *reinterpret_cast<const ENUMLOGFONTA*>(logFont), *textMetric)
             ? 1
             : 0;
}

// An exception must not unwind through the system's code: it ends the
// enumeration and is kept for Enumerate.
bool TFontCatalogue::TakeFamily(const ENUMLOGFONTA& logFont,
                                const TEXTMETRICA& textMetric) noexcept {
  try {
    if (action_ == eaDelete)
      AddToDelete(logFont, textMetric);
    else
      ShowFamily(logFont, textMetric);
    return true;
  } catch (...) {
    failure_ = std::current_exception();
    return false;
  }
}

void TFontCatalogue::AddToDelete(const ENUMLOGFONTA& logFont, const TEXTMETRICA& textMetric) {
  const bool isTrueType = (textMetric.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
  const std::string name =
      std::string(isTrueType ? reinterpret_cast<const char*>(logFont.elfFullName)
                             : logFont.elfLogFont.lfFaceName)
          .substr(0, 64);
  if (FToDelete && !IsInToDelete(name, isTrueType)) {
    TToDeleteItem item;
    item.Name = name;
    item.TrueType = isTrueType;
    FToDelete->push_back(item);
  }
}

void TFontCatalogue::ShowFamily(const ENUMLOGFONTA& logFont, const TEXTMETRICA& textMetric) {
  const bool isTrueType = (textMetric.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
  const std::string faceName = logFont.elfLogFont.lfFaceName;
  // "@" families are East Asian fonts turned for vertical text: the same
  // fonts once more, drawn sideways.
  if (!faceName.empty() && faceName[0] == '@') return;
  const std::string face = faceName.substr(0, 64);
  // Some systems report a family once for each of its character sets; it
  // is one family and one row all the same.
  if (!enumeratedFaces_.insert(faceName).second) return;
  int32_t height = 0;
  int32_t descent = 0;
  Measure(face, textMetric, isTrueType, &height, &descent);
  MaxTextHeight = std::max(MaxTextHeight, height);
  MaxDescent = std::max(MaxDescent, descent);
  if (isTrueType) {
    const std::string fullName = reinterpret_cast<const char*>(logFont.elfFullName);
    rows_.push_back({face, std::make_unique<TToShowItem>(TToShowItem{fullName, true})});
    ++TrueTypeCount;
  } else if (FNonTTFFonts.IndexOf(face) >= 0 && !trueTypeOnly_) {
    rows_.push_back({face, std::make_unique<TToShowItem>(TToShowItem{faceName, false})});
  }
}

void TFontCatalogue::Measure(const std::string& face, const TEXTMETRICA& textMetric,
                             bool isTrueType, int32_t* height, int32_t* descent) {
  // For TrueType faces the enumeration hands out the larger structure.
  NEWTEXTMETRICA design{};
  if (isTrueType) std::memcpy(&design, &textMetric, sizeof design);
  const auto known = lastMeasures_.find(face);
  if (isTrueType && known != lastMeasures_.end() && known->second.size == EnumSampleSize &&
      SameDesign(known->second.design, design)) {
    *height = known->second.height;
    *descent = known->second.descent;
  } else {
    measureCanvas_->SetFont(face, EnumSampleSize);
    const TEXTMETRICA measured = measureCanvas_->TextMetrics();
    *height = measured.tmHeight;
    *descent = measured.tmDescent;
  }
  if (isTrueType) measures_[face] = TMeasure{design, EnumSampleSize, *height, *descent};
}
