#include "png_reader.h"

#include <stdlib.h>

#include <algorithm>

namespace {

// Inflation, after the description of the deflate format: a bit reader and
// canonical Huffman tables given by their code lengths.
struct Inflater {
    const unsigned char *in;
    size_t size;
    size_t pos = 0;
    unsigned bitBuffer = 0;
    int bitCount = 0;
    bool overrun = false;
    std::vector<unsigned char> *out;

    unsigned Bits(int need)
    {
        unsigned value = bitBuffer;
        while (bitCount < need) {
            if (pos >= size) {
                overrun = true;
                return 0;
            }
            value |= (unsigned)in[pos++] << bitCount;
            bitCount += 8;
        }
        bitBuffer = value >> need;
        bitCount -= need;
        return value & ((1u << need) - 1);
    }
};

struct Huffman {
    short count[16];
    short symbol[320];
};

// False when the lengths describe an over-subscribed code.
bool Build(Huffman *table, const short *lengths, int n)
{
    for (short &c : table->count)
        c = 0;
    for (int i = 0; i < n; i++)
        table->count[lengths[i]]++;
    int left = 1;
    for (int len = 1; len < 16; len++) {
        left = left * 2 - table->count[len];
        if (left < 0)
            return false;
    }
    short offsets[16];
    offsets[1] = 0;
    for (int len = 1; len < 15; len++)
        offsets[len + 1] = offsets[len] + table->count[len];
    for (int i = 0; i < n; i++) {
        if (lengths[i] != 0)
            table->symbol[offsets[lengths[i]]++] = (short)i;
    }
    return true;
}

int Decode(Inflater *s, const Huffman &table)
{
    int code = 0, first = 0, index = 0;
    for (int len = 1; len < 16; len++) {
        code |= (int)s->Bits(1);
        int count = table.count[len];
        if (code - count < first)
            return table.symbol[index + (code - first)];
        index += count;
        first = (first + count) << 1;
        code <<= 1;
        if (s->overrun)
            return -1;
    }
    return -1;
}

const short kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const short kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                               33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const short kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                  6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

const char *InflateCodes(Inflater *s, const Huffman &lengths, const Huffman &distances)
{
    for (;;) {
        int symbol = Decode(s, lengths);
        if (symbol < 0)
            return "bad literal/length code";
        if (symbol < 256) {
            s->out->push_back((unsigned char)symbol);
        } else if (symbol == 256) {
            return nullptr;
        } else {
            symbol -= 257;
            if (symbol >= 29)
                return "bad length symbol";
            size_t length = kLengthBase[symbol] + s->Bits(kLengthExtra[symbol]);
            int code = Decode(s, distances);
            if (code < 0 || code >= 30)
                return "bad distance code";
            size_t distance = kDistanceBase[code] + s->Bits(kDistanceExtra[code]);
            if (distance > s->out->size())
                return "distance before the start of the data";
            for (size_t i = 0; i < length; i++)
                s->out->push_back((*s->out)[s->out->size() - distance]);
        }
        if (s->overrun)
            return "stream ends inside a block";
    }
}

const char *InflateStored(Inflater *s)
{
    s->bitBuffer = 0;
    s->bitCount = 0;
    if (s->pos + 4 > s->size)
        return "stored block header cut off";
    unsigned length = s->in[s->pos] | s->in[s->pos + 1] << 8;
    unsigned check = s->in[s->pos + 2] | s->in[s->pos + 3] << 8;
    s->pos += 4;
    if (length != (~check & 0xFFFF))
        return "stored block length does not match its complement";
    if (s->pos + length > s->size)
        return "stored block cut off";
    s->out->insert(s->out->end(), s->in + s->pos, s->in + s->pos + length);
    s->pos += length;
    return nullptr;
}

const char *InflateFixed(Inflater *s)
{
    short lengths[288];
    for (int i = 0; i < 288; i++)
        lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    short distanceLengths[30];
    for (short &len : distanceLengths)
        len = 5;
    Huffman lengthCode, distanceCode;
    Build(&lengthCode, lengths, 288);
    Build(&distanceCode, distanceLengths, 30);
    return InflateCodes(s, lengthCode, distanceCode);
}

const char *InflateDynamic(Inflater *s)
{
    static const short kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                     11, 4, 12, 3, 13, 2, 14, 1, 15};
    int literalCount = (int)s->Bits(5) + 257;
    int distanceCount = (int)s->Bits(5) + 1;
    int codeCount = (int)s->Bits(4) + 4;
    if (literalCount > 286 || distanceCount > 30)
        return "too many codes";
    short lengths[320] = {};
    for (int i = 0; i < codeCount; i++)
        lengths[kOrder[i]] = (short)s->Bits(3);
    Huffman codeLengthCode;
    if (!Build(&codeLengthCode, lengths, 19))
        return "bad code-length code";
    int index = 0;
    while (index < literalCount + distanceCount) {
        int symbol = Decode(s, codeLengthCode);
        if (symbol < 0)
            return "bad code-length symbol";
        if (symbol < 16) {
            lengths[index++] = (short)symbol;
            continue;
        }
        short repeat = 0;
        int times;
        if (symbol == 16) {
            if (index == 0)
                return "repeat with no length before it";
            repeat = lengths[index - 1];
            times = 3 + (int)s->Bits(2);
        } else {
            times = symbol == 17 ? 3 + (int)s->Bits(3) : 11 + (int)s->Bits(7);
        }
        if (index + times > literalCount + distanceCount)
            return "code lengths overrun";
        while (times-- > 0)
            lengths[index++] = repeat;
    }
    if (lengths[256] == 0)
        return "no end-of-block code";
    Huffman lengthCode, distanceCode;
    if (!Build(&lengthCode, lengths, literalCount) ||
        !Build(&distanceCode, lengths + literalCount, distanceCount))
        return "over-subscribed code";
    return InflateCodes(s, lengthCode, distanceCode);
}

unsigned BigEndian(const unsigned char *p)
{
    return (unsigned)p[0] << 24 | (unsigned)p[1] << 16 | (unsigned)p[2] << 8 | p[3];
}

unsigned Crc32(const unsigned char *data, size_t size)
{
    unsigned crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; i++) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; bit++)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

int Paeth(int a, int b, int c)
{
    int p = a + b - c;
    int pa = abs(p - a), pb = abs(p - b), pc = abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

bool Fail(std::string *error, const std::string &text)
{
    *error = text;
    return false;
}

}  // namespace

bool ZlibInflate(const unsigned char *data, size_t size, std::vector<unsigned char> *out,
                 std::string *error)
{
    if (size < 6 || (data[0] & 0x0F) != 8 || (data[0] >> 4) > 7 ||
        (data[0] * 256 + data[1]) % 31 != 0 || (data[1] & 0x20) != 0)
        return Fail(error, "not a zlib stream");
    Inflater s;
    s.in = data + 2;
    s.size = size - 2;
    s.out = out;
    int last = 0;
    do {
        last = (int)s.Bits(1);
        int type = (int)s.Bits(2);
        const char *fault = type == 0   ? InflateStored(&s)
                            : type == 1 ? InflateFixed(&s)
                            : type == 2 ? InflateDynamic(&s)
                                        : "reserved block type";
        if (fault == nullptr && s.overrun)
            fault = "stream cut off";
        if (fault != nullptr)
            return Fail(error, fault);
    } while (!last);
    size_t end = 2 + s.pos;
    if (end + 4 > size)
        return Fail(error, "no Adler-32 after the data");
    unsigned a = 1, b = 0;
    for (unsigned char byte : *out) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    if (BigEndian(data + end) != (b << 16 | a))
        return Fail(error, "Adler-32 does not match");
    return true;
}

bool ReadPng(const std::vector<unsigned char> &file, PngImage *image, std::string *error)
{
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin()))
        return Fail(error, "no PNG signature");
    std::vector<unsigned char> compressed;
    bool sawHeader = false, sawEnd = false;
    size_t at = 8;
    while (at + 12 <= file.size() && !sawEnd) {
        unsigned length = BigEndian(&file[at]);
        if (at + 12 + (size_t)length > file.size())
            return Fail(error, "chunk runs past the end of the file");
        std::string type(file.begin() + at + 4, file.begin() + at + 8);
        const unsigned char *data = &file[at + 8];
        if (Crc32(&file[at + 4], length + 4) != BigEndian(data + length))
            return Fail(error, "bad CRC in chunk " + type);
        if (type == "IHDR") {
            if (length != 13)
                return Fail(error, "IHDR of the wrong size");
            image->width = (int)BigEndian(data);
            image->height = (int)BigEndian(data + 4);
            if (data[8] != 8 || data[9] != 2 || data[10] != 0 || data[11] != 0 || data[12] != 0)
                return Fail(error, "not 8-bit RGB without interlace");
            sawHeader = true;
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        } else if (type == "IEND") {
            sawEnd = true;
        }
        at += 12 + length;
    }
    if (!sawHeader || !sawEnd)
        return Fail(error, "IHDR or IEND missing");
    std::vector<unsigned char> raw;
    if (!ZlibInflate(compressed.data(), compressed.size(), &raw, error))
        return false;
    size_t stride = (size_t)image->width * 3;
    if (raw.size() != (stride + 1) * image->height)
        return Fail(error, "image data of " + std::to_string(raw.size()) + " bytes");
    image->rgb.assign(stride * image->height, 0);
    for (int y = 0; y < image->height; y++) {
        int filter = raw[y * (stride + 1)];
        const unsigned char *in = &raw[y * (stride + 1) + 1];
        unsigned char *row = &image->rgb[y * stride];
        const unsigned char *up = y > 0 ? row - stride : nullptr;
        for (size_t x = 0; x < stride; x++) {
            int a = x >= 3 ? row[x - 3] : 0, b = up ? up[x] : 0, c = up && x >= 3 ? up[x - 3] : 0;
            int predictor = filter == 0   ? 0
                            : filter == 1 ? a
                            : filter == 2 ? b
                            : filter == 3 ? (a + b) / 2
                                          : Paeth(a, b, c);
            if (filter > 4)
                return Fail(error, "unknown row filter " + std::to_string(filter));
            row[x] = (unsigned char)(in[x] + predictor);
        }
    }
    return true;
}
