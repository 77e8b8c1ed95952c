// Times loading the embedded default skin the way the login window does:
// the whole LoadSkin (decompress, parse the description, decode every
// bitmap, build every data object), and its decompression step alone.
// Prints the median and mean per call.
//
//   skindata_bench [repetitions]

#include "Measure.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

constexpr bench::TimeUnit kUnit = bench::TimeUnit::Milliseconds;

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    skin::TSkinData data(nullptr);
    data.showMessage = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
    if (!data.ReadSkinStreamFromResource(GetModuleHandleW(nullptr), L"DEFAULTSKIN") || data.NotLoaded()) {
        std::fprintf(stderr, "the default skin did not load\n");
        return 1;
    }
    std::printf("default skin: %zu bytes as a skin file, %zu data objects\n", data.SkinFileBytes().Size(),
                data.AllObjects().size());

    bench::Measure("LoadSkin of the default skin (everything)", repetitions, kUnit, [&data] {
        if (!data.LoadSkin()) {
            std::abort();
        }
    });
    bench::Measure("  of which: decompress and index the package", repetitions, kUnit, [&data] {
        skin::MemoryStream file(data.SkinFileBytes().Bytes());
        skin::TSkinReader reader;
        if (!reader.Open(file)) {
            std::abort();
        }
    });
    return 0;
}
