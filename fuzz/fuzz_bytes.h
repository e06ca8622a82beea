// Reading a fuzzer's input as a stream of small numbers; an exhausted input reads as zeros.
//
// Every target decodes its bytes through these functions, so any input, even an empty one,
// decodes to some valid case and none is rejected.
#ifndef TUMBLIX_FUZZ_BYTES_H
#define TUMBLIX_FUZZ_BYTES_H

#include <cstddef>
#include <cstdint>

struct FuzzBytes {
    const uint8_t *data;
    size_t size;
    size_t at;  // next byte to read; at == size once the input is used up
};

FuzzBytes FuzzBytesOf(const uint8_t *data, size_t size);

// Bytes still unread.
size_t FuzzBytesLeft(const FuzzBytes *in);

// The next byte, or 0 once the input is used up.
unsigned TakeByte(FuzzBytes *in);

// The next two bytes, low byte first.
unsigned TakeWord(FuzzBytes *in);

#endif
