// The row loop of readers whose lines arrive in storage order.
#include "codecs/ImageReader.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>

void ImageReader::StartStoredLines(int storedLines, bool topDown, int progressFrom,
                                   int progressTo) {
  run_ = StoredLineRun();
  run_.selection = SelectionFor(storedLines);
  run_.topDown = topDown;
  run_.progressFrom = progressFrom;
  run_.progressTo = progressTo;
  progress = progressFrom;
}

// A reader without stored lines has none to give.
CodecError ImageReader::ReadStoredLine(const uint8_t**) { return ErrBadData; }

CodecError ImageReader::StoredLinesEnded() {
  FinishPass();
  return CodecOk;
}

LineSelection ImageReader::SelectionFor(int storedLines) const {
  LineSelection selection;
  selection.stored = std::max(storedLines, 1);
  selection.shown = std::max(std::min(OutputLines(), storedLines), 1);
  return selection;
}

bool ImageReader::OutputLineOf(int64_t line, int storedLines, int* outputLine) const {
  return SelectionFor(storedLines).IsShown(line, outputLine);
}

ImageRect ImageReader::StoredRowsRect(int n, int count, bool topDown) const {
  const int w = OutputWidth();
  const int h = OutputHeight();
  return topDown ? ImageRect{0, n, w, n + count} : ImageRect{0, h - n - count, w, h - n};
}

ImageRect ImageReader::RunRect(int first, int count) const {
  if (columnMode) return ImageRect{first, 0, first + count, OutputHeight()};
  return StoredRowsRect(first, count, run_.topDown);
}

CodecError ImageReader::DecodeStoredLines(int count, int* changed, ImageRect* rect) {
  const int lines = OutputLines();
  if (run_.done >= lines) return ErrOutOfOrder;
  count = std::min(std::max(count, 0), lines - run_.done);
  if (changed) *changed = 1;
  if (rect) *rect = RunRect(run_.done, count);

  for (int n = 0; n < count; ++n) {
    const int64_t shownLine = run_.selection.StoredLineOf(run_.done);
    while (run_.next < shownLine) {
      if (RestIsBlank()) {
        run_.next = shownLine;
        break;
      }
      if (CodecError error = ReadStoredLine(nullptr)) return error;
      ++run_.next;
    }
    const uint8_t* line = nullptr;
    if (CodecError error = ReadStoredLine(&line)) return error;
    if (!line) return ErrBadData;
    ++run_.next;
    const int index = run_.done;
    const CodecError put = columnMode     ? PutColumn(line, index)
                           : run_.topDown ? PutRow(line, index)
                                          : PutRow(line, OutputHeight() - 1 - index);
    if (put != CodecOk) return put;
    ++run_.done;
    // Kept line by line: a later line may fail.
    const int span = run_.progressTo - run_.progressFrom;
    progress = run_.progressFrom + std::min(ScaleMulDiv(run_.done, span, lines), span - 1);
    decodedRect = Union(decodedRect, RunRect(0, run_.done));
  }
  if (run_.done < lines) return CodecOk;
  // Only the end of the pass completes the picture.
  if (run_.progressTo < 10000) progress = run_.progressTo;
  return StoredLinesEnded();
}
