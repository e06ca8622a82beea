// Turning fuzzer bytes into C strings.
#include "fuzz/fuzz_text.h"

#include <cstring>

void FuzzText(const uint8_t *data, size_t size, char *text)
{
    if (size > FUZZ_TEXT_MAX)
        size = FUZZ_TEXT_MAX;
    memcpy(text, data, size);
    text[size] = '\0';
}

int FuzzArguments(const uint8_t *data, size_t size, char *storage, const char **argv)
{
    FuzzText(data, size, storage);
    if (size > FUZZ_TEXT_MAX)
        size = FUZZ_TEXT_MAX;
    int argc = 0;
    argv[argc++] = "tumblix";
    // Every zero byte ends one argument; bytes after the last one make a final argument.
    size_t start = 0;
    for (size_t i = 0; i < size && argc <= FUZZ_ARGS_MAX; i++)
        if (storage[i] == '\0') {
            argv[argc++] = storage + start;
            start = i + 1;
        }
    if (start < size && argc <= FUZZ_ARGS_MAX)
        argv[argc++] = storage + start;
    argv[argc] = nullptr;
    return argc;
}
