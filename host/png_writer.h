// Writing an RGB image as a PNG file.
#pragma once
#include <string>
#include <vector>

struct RgbImage {
    int width;
    int height;
    std::vector<unsigned char> pixels;  // rows top to bottom, 3 bytes (R, G, B) a pixel
};

std::vector<unsigned char> EncodePng(const RgbImage &image);
// On failure returns false with the reason in `error`.
bool WritePngFile(const std::string &path, const RgbImage &image, std::string *error);
