// The committed test pictures, for the tests that push files through the
// shell extension and the viewer under Wine.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Every file of tests/data's folders with a name of its own (the pictures
// made by hand, README.md included) and an evenly spaced sample of at most
// `seedsPerFolder` of each folder's fuzzing seeds, whose names are their
// hashes. The native tests replay every seed under ASan; under Wine each file
// costs a menu or a window, so a fixed sample stands for the rest.
std::vector<std::string> TestPictureFiles(size_t seedsPerFolder = 60);

// Writes an interlaced RGB PNG of 15000 x 32767 black pixels, about 9 MB on
// disk, to `path`: a picture no load may hold whole.
void WriteHugeInterlacedPng(const std::string& path);

// Writes a non-interlaced 8-bit palette PNG of `width` x `height` pixels all of
// one colour (red, green, blue) to `path`: over the pixel bound of a load
// in a file of a few hundred kilobytes.
void WriteFlatPng(const std::string& path, int width, int height, int red, int green, int blue);
