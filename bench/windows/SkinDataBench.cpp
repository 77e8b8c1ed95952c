// Times loading the embedded default skin the way the login window does:
// the whole LoadSkin (decompress, parse the description, decode every
// bitmap, build every data object), and its decompression step alone.
// Prints the median and mean per call.
//
//   skindata_bench [repetitions]

#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <vector>

namespace {

double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return double(ticks) * 1e3 / double(frequency);
}

void Measure(const char* name, int repetitions, const std::function<void()>& operation) {
    operation();  // warm-up
    std::vector<double> times;
    times.reserve(size_t(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        operation();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(end.QuadPart - start.QuadPart));
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / double(times.size());
    std::printf("%-52s %6d runs  median %8.3f ms  mean %8.3f ms\n", name, repetitions, median, mean);
}

} // namespace

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

    Measure("LoadSkin of the default skin (everything)", repetitions, [&data] {
        if (!data.LoadSkin()) {
            std::abort();
        }
    });
    Measure("  of which: decompress and index the package", repetitions, [&data] {
        skin::MemoryStream file(data.SkinFileBytes().Bytes());
        skin::TSkinReader reader;
        if (!reader.Open(file)) {
            std::abort();
        }
    });
    return 0;
}
