// A small zlib (deflate) compressor for the PNG writer: one block of fixed
// Huffman codes, with repeats found only at a few given distances (for an
// image: the previous pixel and the previous row), which is where flat
// drawings repeat themselves.
#pragma once
#include <initializer_list>
#include <vector>

std::vector<unsigned char> ZlibCompress(const std::vector<unsigned char> &data,
                                        std::initializer_list<int> distances);
