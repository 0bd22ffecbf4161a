#include "png_writer.h"

#include <windows.h>

#include "report.h"
#include "zlib_stream.h"

namespace {

unsigned Crc32(const unsigned char *data, size_t size, unsigned crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; i++) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<unsigned char> *out, unsigned value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back((unsigned char)(value >> shift));
}

// Length, type, data, and the CRC of type and data.
void PutChunk(std::vector<unsigned char> *out, const char type[5],
              const std::vector<unsigned char> &data)
{
    PutBigEndian(out, (unsigned)data.size());
    size_t start = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out->data() + start, out->size() - start));
}

}  // namespace

std::vector<unsigned char> EncodePng(const RgbImage &image)
{
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(&header, (unsigned)image.width);
    PutBigEndian(&header, (unsigned)image.height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(&png, "IHDR", header);

    // Every row with filter type 0 (none) in front of it.
    size_t rowBytes = (size_t)image.width * 3;
    std::vector<unsigned char> raw;
    raw.reserve((rowBytes + 1) * image.height);
    for (int y = 0; y < image.height; y++) {
        raw.push_back(0);
        const unsigned char *row = image.pixels.data() + y * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }
    PutChunk(&png, "IDAT", ZlibCompress(raw, {3, (int)rowBytes + 1}));
    PutChunk(&png, "IEND", {});
    return png;
}

bool WritePngFile(const std::string &path, const RgbImage &image, std::string *error)
{
    std::vector<unsigned char> png = EncodePng(image);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        *error = "cannot create " + path + " (" + SystemErrorText(GetLastError()) + ")";
        return false;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(file, png.data(), (DWORD)png.size(), &written, NULL);
    DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok || written != png.size()) {
        *error = "cannot write " + path + " (" + SystemErrorText(code) + ")";
        DeleteFileA(path.c_str());
        return false;
    }
    return true;
}
