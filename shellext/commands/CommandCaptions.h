// The picture commands both menus offer, the context menu and the viewer's
// popup: their captions and their order, so that the two menus read alike.
// Each menu keeps its own identifiers (the shell's offsets, the frame's ids).
#pragma once

inline constexpr char kPrintCaption[] = "&Print...";
inline constexpr char kWallpaperMenuCaption[] = "&Wallpaper";
// Tiled, centred, removed: the order of the wallpaper popup, whose ids
// follow one another in both menus.
inline constexpr const char* kWallpaperCaptions[3] = {"&Tiled", "&Centered", "&Remove"};
