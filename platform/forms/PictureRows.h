// Owner-drawn rows of a small picture and a name, as the drive and folder
// lists show them: rows of one height, and only the name highlighted.
#pragma once
#include <windows.h>

#include <string>

class TCanvas;

// Answers WM_MEASUREITEM with `rowHeight` and WM_DRAWITEM through
// `drawRow`; false for any other message.
template <typename DrawRow>
bool AnswerPictureRows(UINT message, LPARAM lParam, int rowHeight, DrawRow drawRow,
                       LRESULT& result) {
  if (message == WM_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = rowHeight;
  } else if (message == WM_DRAWITEM) {
    drawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  } else {
    return false;
  }
  result = TRUE;
  return true;
}

// The row's name from `left` on, in the selection's colours when selected,
// with the focus rectangle around it.
void DrawRowName(const DRAWITEMSTRUCT& draw, TCanvas& canvas, int left, const std::string& name);
