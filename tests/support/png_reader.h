// A small PNG reader for checking the images the workbench writes: every
// chunk's CRC, the zlib stream (stored, fixed and dynamic deflate blocks)
// and its Adler-32, and the five row filters. 8-bit RGB only.
#pragma once
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom, 3 bytes a pixel

    unsigned Pixel(int x, int y) const  // 0xRRGGBB
    {
        const unsigned char *p = &rgb[((size_t)y * width + x) * 3];
        return (unsigned)p[0] << 16 | (unsigned)p[1] << 8 | p[2];
    }
};

// Decodes `file`; on a fault returns false with the reason in `error`.
bool ReadPng(const std::vector<unsigned char> &file, PngImage *image, std::string *error);
// Inflates a zlib stream; false on any fault.
bool ZlibInflate(const unsigned char *data, size_t size, std::vector<unsigned char> *out,
                 std::string *error);
