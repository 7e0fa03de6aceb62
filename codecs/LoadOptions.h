// What a load asks for: the box the picture is fitted into, how colours
// are reduced for palette screens, and which bitmaps are made.
#pragma once

struct LoadOptions {
  int maxWidth = 0;  // 0: no limit
  int maxHeight = 0;
  int reductionMode = 0;  // 0..4
  bool fixedPalette = false;
  bool keepNative = false;
  bool makeDisplay = true;
  bool bottomUp = false;
  // A picture of more pixels than a load may hold is shrunk to the largest
  // size within the bound instead of refused.
  bool reduceToBound = false;
};
