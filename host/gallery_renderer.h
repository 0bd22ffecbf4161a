// The theme gallery: every theme drawn as a window mock-up, its title bar in
// the theme's caption colour with its number and name in its text colour,
// in a grid of kGalleryColumns columns.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "png_writer.h"

struct GalleryTheme {
    int number;
    std::string name;  // in the ANSI code page, as the plug-in published it
    COLORREF caption;
    COLORREF text;
};

const int kGalleryColumns = 4;
const int kGalleryGap = 16;        // around and between the mock-ups
const int kMockupWidth = 300;      // outer size, 1-pixel frame included
const int kTitleBarHeight = 32;
const int kClientHeight = 44;
const int kMockupHeight = 1 + kTitleBarHeight + kClientHeight + 1;

// Where the mock-up of the theme at `index` (from 0) has its top-left corner.
inline POINT MockupOrigin(int index)
{
    POINT origin = {kGalleryGap + (index % kGalleryColumns) * (kMockupWidth + kGalleryGap),
                    kGalleryGap + (index / kGalleryColumns) * (kMockupHeight + kGalleryGap)};
    return origin;
}

// Draws the gallery with GDI; false when the drawing surface cannot be made.
bool RenderGallery(const std::vector<GalleryTheme> &themes, RgbImage *image);
