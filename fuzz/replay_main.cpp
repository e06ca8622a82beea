// Runs a fuzz target's entry point once on every file named on the command line, or on
// every file of a named folder, so the checked-in corpus replays without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static bool replayFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        fprintf(stderr, "fuzz replay: cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (int a = 1; a < argc; a++) {
        std::filesystem::path path(argv[a]);
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            for (const auto &entry : std::filesystem::directory_iterator(path)) {
                if (!entry.is_regular_file())
                    continue;
                if (!replayFile(entry.path()))
                    return 1;
                replayed++;
            }
        } else if (replayFile(path)) {
            replayed++;
        } else {
            return 1;
        }
    }
    // An empty corpus would make the test pass without testing anything.
    if (replayed == 0) {
        fprintf(stderr, "fuzz replay: no input files found\n");
        return 1;
    }
    printf("fuzz replay: %d inputs, no finding\n", replayed);
    return 0;
}
