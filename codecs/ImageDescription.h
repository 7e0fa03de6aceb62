// The one-line description of an image that the context menu shows:
// size, colours and format, e.g. " 640x480x256 gif".
#pragma once

#include <string>

// `title` (may be empty) starts the line; `parenthesised` wraps the rest in
// " (" ... ")", otherwise it follows a blank.
std::string DescribeImage(const std::string& title, int format, int width, int height,
                          int bitsPerPixel, bool parenthesised);
