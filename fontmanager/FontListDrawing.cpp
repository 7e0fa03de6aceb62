// One row of the font list: the TrueType mark, the family's name written in
// its own face at the sample size, and the name again in a plain face from
// x = 270 on.
#include "MainForm.h"

namespace {
const int kNameColumn = 270;
}

void TfrmZel95::lbFontsDrawItem(TCanvas& canvas, int index, const RECT& rect, unsigned state) {
  const std::string face = lbFonts.Text(index).substr(0, 31);

  RECT icon;
  icon.left = rect.left + 2;
  icon.top = rect.top + 2;
  icon.bottom = rect.bottom - FCatalogue.MaxDescent + 2;
  icon.right = icon.left + (icon.bottom - icon.top);

  canvas.SetTextAlign(TA_BASELINE);
  const int size = spSize.Value();
  canvas.SetFont(face, size);
  canvas.TextRect(rect, rect.left + icon.right + FCatalogue.MaxDescent, icon.bottom, face);

  // 70 % of the sample size, rounded up; its opaque fill also cuts the
  // sample off at the name column.
  canvas.SetFont("MS Sans Serif", size - (3 * size) / 10);
  RECT nameColumn = rect;
  nameColumn.left = kNameColumn;
  canvas.TextRect(nameColumn, kNameColumn + FCatalogue.MaxDescent, icon.bottom, face);

  const TToShowItem* item = ShowItem(index);
  if (item && item->TrueType)
    canvas.StretchDraw(icon, (state & odSelected) ? imgTTFSel.Picture() : imgTTF.Picture());
}
