// The small pictures of the drive and folder lists, drawn rather than loaded,
// so that the toolkit needs no resources of the program.
#pragma once

#include <windows.h>

constexpr int kDrivePictureSize = 16;

// A drive of the given system type (DRIVE_FIXED, DRIVE_REMOTE ...) at x, y.
void DrawDrivePicture(HDC dc, int x, int y, UINT driveType);
// A folder at x, y: open for the folders of the path, closed for the others.
void DrawFolderPicture(HDC dc, int x, int y, bool open);
