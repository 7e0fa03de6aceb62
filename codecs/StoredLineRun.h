// Vertical reduction for pictures whose lines are stored one after another:
// which stored lines make the output lines, and how far a reader has got.
#pragma once

#include <cstdint>

// `stored` lines shown as `shown` lines (0 < shown <= stored): each output
// line shows the last stored line that falls on it, so the kept lines are
// spread evenly and a picture shown at its own size keeps every line.
struct LineSelection {
  int64_t stored = 1;
  int64_t shown = 1;

  // The stored line shown as output line `outputLine`.
  int64_t StoredLineOf(int outputLine) const {
    return ((outputLine + 1) * stored + shown - 1) / shown - 1;
  }
  // Whether stored line `line` is shown, and as which output line.
  bool IsShown(int64_t line, int* outputLine) const {
    const int64_t scaled = line * shown;
    *outputLine = static_cast<int>(scaled / stored);
    return scaled % stored + shown >= stored;
  }
};

// One run through the stored lines, from the first to the last: a pass of
// a progressive picture is a run of its own. Progress moves through
// [progressFrom, progressTo) as output lines are made.
struct StoredLineRun {
  LineSelection selection;
  bool topDown = true;  // columns: from the left
  int progressFrom = 0;
  int progressTo = 10000;
  int64_t next = 0;  // the next stored line to read
  int done = 0;      // output lines made
};
