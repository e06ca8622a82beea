// Turning fuzzer bytes into C strings: one terminated string, or an argv of several.
#ifndef TUMBLIX_FUZZ_TEXT_H
#define TUMBLIX_FUZZ_TEXT_H

#include <cstddef>
#include <cstdint>

enum {
    FUZZ_TEXT_MAX = 4096,  // bytes of input used as text; the rest is ignored
    FUZZ_ARGS_MAX = 8      // arguments after the program name
};

// Copies the input into `text` (size FUZZ_TEXT_MAX + 1) and terminates it; an embedded zero
// byte ends the string early, as it would on a real command line.
void FuzzText(const uint8_t *data, size_t size, char *text);

// Splits the input at zero bytes into at most FUZZ_ARGS_MAX arguments after argv[0], which
// is "tumblix". `storage` (size FUZZ_TEXT_MAX + 1) holds the strings; argv needs
// FUZZ_ARGS_MAX + 2 slots and ends with a null pointer. Returns argc.
int FuzzArguments(const uint8_t *data, size_t size, char *storage, const char **argv);

#endif
