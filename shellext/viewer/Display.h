// The viewer: a frame window per picture, decoded progressively.
#pragma once
#include <windows.h>

// Registers the frame and view window classes and loads the view's cursors
// (at the library's start), and releases them (at its end).
void RegisterViewerClasses(HINSTANCE instance);
void ReleaseViewerClasses();

// Opens a viewer on the picture at `path`; false when it cannot be shown.
bool Display(const char* path);
