// Reading a fuzzer's input as a stream of small numbers.
#include "fuzz/fuzz_bytes.h"

FuzzBytes FuzzBytesOf(const uint8_t *data, size_t size)
{
    FuzzBytes in = {data, size, 0};
    return in;
}

size_t FuzzBytesLeft(const FuzzBytes *in)
{
    return in->size - in->at;
}

unsigned TakeByte(FuzzBytes *in)
{
    if (in->at >= in->size)
        return 0;
    return in->data[in->at++];
}

unsigned TakeWord(FuzzBytes *in)
{
    unsigned low = TakeByte(in);
    return low | TakeByte(in) << 8;
}
