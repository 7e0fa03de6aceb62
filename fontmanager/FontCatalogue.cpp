// The installed-font catalogue: the registered ".FON" faces from the Fonts
// key joined with the system's enumeration of font families.
#include "MainForm.h"

#include "FontsKey.h"

#include "fontcommon/FontReaders.h"
#include "fontcommon/Messages.h"
#include "fontcommon/Registry.h"
#include "platform/forms/Canvas.h"
#include "platform/forms/ScreenCursor.h"

#include <algorithm>
#include <cctype>

namespace {

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The canvas the families are measured on while a rebuild enumerates them,
// and an exception raised inside the enumeration, which must not unwind
// through the system's code.
TCanvas *measureCanvas = nullptr;
std::exception_ptr enumFailure;

}  // namespace

void TfrmZel95::ReadRegistryFonts()
{
    std::vector<TRegValue> entries;
    RegReadValues(HKEY_LOCAL_MACHINE, kFontsKey, entries);
    std::vector<std::string> obsolete;
    for (const TRegValue &entry : entries) {
        if (UpperCase(entry.Data).find(".FON") == std::string::npos)
            continue;
        const std::string path =
            entry.Data.find('\\') != std::string::npos ? entry.Data : FFontsDir + "\\" + entry.Data;
        std::string description;
        std::string faceName;
        bool scalable = false;
        switch (ReadFonNames(path, description, faceName, scalable)) {
        case frNotFound:
            if (AskVerifyMessage(Msg::Verify::RemoveInvalidEntry, entry.Name, path, {mbYes, mbNo}) == mrYes)
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
    for (const std::string &name : obsolete)
        DeleteFontEntry(name);
}

int CALLBACK FontEnumProc(const LOGFONTA *logFont, const TEXTMETRICA *textMetric, DWORD, LPARAM action)
{
    if (!frmZel95)
        return 0;
    try {
        frmZel95->EnumFamily(*reinterpret_cast<const ENUMLOGFONTA *>(logFont), *textMetric,
                             static_cast<TEnumAction>(action));
    } catch (...) {
        enumFailure = std::current_exception();
        return 0;
    }
    return 1;
}

void TfrmZel95::EnumFamily(const ENUMLOGFONTA &logFont, const TEXTMETRICA &textMetric, TEnumAction action)
{
    const bool isTrueType = (textMetric.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
    const std::string faceName = logFont.elfLogFont.lfFaceName;
    const std::string fullName = reinterpret_cast<const char *>(logFont.elfFullName);
    if (action == eaDelete) {
        const std::string name = (isTrueType ? fullName : faceName).substr(0, 64);
        if (FToDelete && !IsInToDelete(name, isTrueType)) {
            TToDeleteItem item;
            item.Name = name;
            item.TrueType = isTrueType;
            FToDelete->push_back(item);
        }
        return;
    }

    // "@" families are East Asian fonts turned for vertical text: the same
    // fonts once more, drawn sideways.
    if (!faceName.empty() && faceName[0] == '@')
        return;
    const std::string face = faceName.substr(0, 64);
    // Some systems report a family once for each of its character sets; it
    // is one family and one row all the same.
    if (!enumeratedFaces_.insert(faceName).second)
        return;
    if (measureCanvas) {
        measureCanvas->SetFont(face, EnumSampleSize);
        const TEXTMETRICA measured = measureCanvas->TextMetrics();
        MaxTextHeight = std::max<int32_t>(MaxTextHeight, measured.tmHeight);
        MaxDescent = std::max<int32_t>(MaxDescent, measured.tmDescent);
    }
    if (isTrueType) {
        showItems_.push_back(std::make_unique<TToShowItem>(TToShowItem{fullName, true}));
        lbFonts.AddItem(face, showItems_.back().get());
        ++TrueTypeCount;
    } else if (FNonTTFFonts.IndexOf(face) >= 0 && !cbTT.Checked()) {
        showItems_.push_back(std::make_unique<TToShowItem>(TToShowItem{faceName, false}));
        lbFonts.AddItem(face, showItems_.back().get());
    }
}

bool TfrmZel95::IsInToDelete(const std::string &name, bool trueType) const
{
    if (!FToDelete)
        return false;
    return std::any_of(FToDelete->begin(), FToDelete->end(), [&](const TToDeleteItem &item) {
        return item.Name == name && item.TrueType == trueType;
    });
}

// A rebuild can be asked for while one runs: a font change announced while
// the rebuild's question is open. It runs once the running one has ended,
// so that the two never fill the list together.
void TfrmZel95::RefreshFontList()
{
    if (rebuilding_) {
        rebuildAgain_ = true;
        return;
    }
    struct Running {
        bool &flag;
        explicit Running(bool &f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    };
    do {
        Running running(rebuilding_);
        rebuildAgain_ = false;
        RebuildCatalogue();
    } while (rebuildAgain_);
}

void TfrmZel95::RebuildCatalogue()
{
    TWaitCursor wait;
    ReleaseShowItems();
    FNonTTFFonts.Clear();
    NonTTFCount = 0;
    TrueTypeCount = 0;
    ReadRegistryFonts();

    MaxTextHeight = 0;
    MaxDescent = 0;
    EnumSampleSize = spSize.Value();
    lbFonts.SetRedraw(false);
    enumeratedFaces_.clear();
    {
        WindowDC dc(Handle());
        TCanvas canvas(dc.Get());
        measureCanvas = &canvas;
        enumFailure = nullptr;
        EnumFontFamiliesA(dc.Get(), nullptr, FontEnumProc, eaShow);
        measureCanvas = nullptr;
    }
    if (enumFailure) {
        lbFonts.SetRedraw(true);
        std::rethrow_exception(std::exchange(enumFailure, nullptr));
    }
    FHeightPerPoint = static_cast<double>(MaxTextHeight) / spSize.Value();
    lbFonts.SetItemHeight(MaxTextHeight);
    lbFonts.SetRedraw(true);
    UpdateWindow(lbFonts.Handle());
    NonTTFCount = static_cast<uint16_t>(FNonTTFFonts.Count());
    UpdateSelectionState();
}

void TfrmZel95::HandleFontChange()
{
    RefreshFontList();
}
