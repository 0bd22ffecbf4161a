#include "zlib_stream.h"

#include <stddef.h>

namespace {

const int kMinMatch = 3;
const int kMaxMatch = 258;
const int kMaxDistance = 32768;

const int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                               33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits go out least significant first; Huffman codes most significant first.
struct BitWriter {
    std::vector<unsigned char> *out;
    unsigned buffer;
    int count;

    void Put(unsigned value, int bits)
    {
        for (int i = 0; i < bits; i++) {
            buffer |= ((value >> i) & 1u) << count;
            if (++count == 8) {
                out->push_back((unsigned char)buffer);
                buffer = 0;
                count = 0;
            }
        }
    }

    void PutCode(unsigned code, int bits)
    {
        for (int i = bits - 1; i >= 0; i--)
            Put((code >> i) & 1u, 1);
    }

    void Flush()
    {
        if (count > 0)
            out->push_back((unsigned char)buffer);
        buffer = 0;
        count = 0;
    }
};

// The fixed literal/length code of deflate.
void PutSymbol(BitWriter *bits, int symbol)
{
    if (symbol < 144)
        bits->PutCode(0x30 + symbol, 8);
    else if (symbol < 256)
        bits->PutCode(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        bits->PutCode(symbol - 256, 7);
    else
        bits->PutCode(0xC0 + symbol - 280, 8);
}

void PutMatch(BitWriter *bits, int length, int distance)
{
    int code = 28;
    while (kLengthBase[code] > length)
        code--;
    PutSymbol(bits, 257 + code);
    bits->Put(length - kLengthBase[code], kLengthExtra[code]);
    code = 29;
    while (kDistanceBase[code] > distance)
        code--;
    bits->PutCode(code, 5);
    bits->Put(distance - kDistanceBase[code], kDistanceExtra[code]);
}

unsigned Adler32(const std::vector<unsigned char> &data)
{
    unsigned a = 1, b = 0;
    for (unsigned char byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

}  // namespace

std::vector<unsigned char> ZlibCompress(const std::vector<unsigned char> &data,
                                        std::initializer_list<int> distances)
{
    std::vector<unsigned char> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    BitWriter bits = {&out, 0, 0};
    bits.Put(1, 1);  // the last block
    bits.Put(1, 2);  // fixed Huffman codes
    size_t size = data.size();
    size_t at = 0;
    while (at < size) {
        int bestLength = 0, bestDistance = 0;
        for (int distance : distances) {
            if (distance < 1 || distance > kMaxDistance || (size_t)distance > at)
                continue;
            int length = 0;
            while (length < kMaxMatch && at + length < size &&
                   data[at + length] == data[at + length - distance])
                length++;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = distance;
            }
        }
        if (bestLength >= kMinMatch) {
            PutMatch(&bits, bestLength, bestDistance);
            at += bestLength;
        } else {
            PutSymbol(&bits, data[at]);
            at++;
        }
    }
    PutSymbol(&bits, 256);  // end of block
    bits.Flush();
    unsigned adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(adler >> shift));
    return out;
}
