#pragma once

class ImageFile;

constexpr int kThumbnailSize = 100;

// Loads the whole picture shrunk to fit within kThumbnailSize pixels square,
// top-down, in the screen's depth; never enlarged. False when it cannot.
bool LoadThumbnail(ImageFile& image);
