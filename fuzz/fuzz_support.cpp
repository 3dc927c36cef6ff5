#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tarvo::fuzz {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

struct RemoveAtExit {
    fs::path folder;
    ~RemoveAtExit() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

}  // namespace

const fs::path& workFolder(const std::string& target) {
    static const fs::path folder = [&] {
        fs::path path = fs::temp_directory_path() / ("tarvo_" + target + "." + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    static const RemoveAtExit removal{folder};  // made after the folder, so destroyed before it
    return folder;
}

void makeSeedsWhenAsked(int argc, char** argv, void (*makeSeeds)()) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--make-seeds") == 0) {
            makeSeeds();
            std::exit(0);
        }
    }
}

void seedsFromWhenAsked(int argc, char** argv,
                        void (*makeSeed)(const std::filesystem::path& file, const std::filesystem::path& out)) {
    for (int i = 1; i + 2 < argc; ++i) {
        if (std::strcmp(argv[i], "--seeds-from") != 0) continue;
        const std::filesystem::path folder = argv[i + 1];
        const std::filesystem::path out = argv[i + 2];
        std::filesystem::create_directories(out);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) makeSeed(entry.path(), out);
        std::printf("seeds written to %s\n", out.c_str());
        std::exit(0);
    }
}

}  // namespace tarvo::fuzz
