#pragma once

// Room DescribeImage needs: a file title of up to 255 characters and the rest.
constexpr int kDescriptionSize = 300;

// One line about a picture: its file title (none for an empty path), then
// " " or " (", size, colours and format, then ")" when parenthesised; e.g.
// " 640x480x256 gif". `buffer` holds kDescriptionSize characters.
void DescribeImage(char* buffer, const char* path, int format, int width, int height,
                   int bitsPerPixel, bool parenthesised);
