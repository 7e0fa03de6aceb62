#pragma once

class ImageFile;

constexpr int kThumbnailSize = 100;

// Explorer's thread waits for the thumbnail: decoding gives up once this
// much time has gone.
constexpr unsigned kThumbnailDeadlineMs = 300;
// The deadline in force; tests shorten it.
extern unsigned thumbnailDeadlineMs;

enum class ThumbnailOutcome { Loaded, Unreadable, TooSlow };

// Loads the whole picture shrunk to fit within kThumbnailSize pixels square,
// top-down, in the screen's depth; never enlarged. Anything but Loaded
// leaves no bitmap.
ThumbnailOutcome LoadThumbnail(ImageFile& image);
