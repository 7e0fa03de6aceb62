// The page that comes out of the PDF printer: the job's PDF file in the
// folder CUPS writes to (ZEL95_PDF_DIR, a Unix path), rendered by pdftoppm.
#pragma once

#include "tests/host/codecs/DibPixels.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The PDF files in the printer's output folder; empty when there is none.
std::string PdfFolder();
std::set<std::string> PdfFiles();
// The PDF file that appears beside `before` within `seconds`, complete;
// "" when none does.
std::string WaitForNewPdf(const std::set<std::string>& before, int seconds);
// No new PDF file within `seconds`.
bool NoNewPdf(const std::set<std::string>& before, int seconds);

struct RenderedPage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  Rgb At(int x, int y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return Rgb{p[0], p[1], p[2]};
  }
  bool IsWhite(int x, int y) const {
    const Rgb c = At(x, y);
    return c.red > 200 && c.green > 200 && c.blue > 200;
  }
};

// Renders the first page of `pdf` (a file name in PdfFolder()) at `dpi`
// dots per inch; an empty page when pdftoppm fails. With `pngName` a PNG
// copy also goes to ZEL95_SCREENS for a person to look at.
RenderedPage RenderPdf(const std::string& pdf, int dpi, const std::string& pngName = "");

struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
};
// The smallest box around the pixels that are not white within rows
// [top, bottom).
InkBox FindInk(const RenderedPage& page, int top, int bottom);
