// Times loading the embedded default skin the way the login window does:
// the whole LoadSkin (decompress, parse the description, decode every
// bitmap, build every data object), and its decompression step alone.
// Prints the median and mean per call.
//
//   skindata_bench [repetitions]

#include "Measure.h"
#include "skin/data/SkinData.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinBmpDecoder.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"
#include "ui/Bitmap.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

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
    const double decode = bench::Measure("  of which: decompress and index the package", repetitions, kUnit, [&data] {
        skin::MemoryStream file(data.SkinFileBytes().Bytes());
        skin::TSkinReader reader;
        if (!reader.Open(file)) {
            std::abort();
        }
    });

    // Where the rest goes: the steps of a load one by one, on an opened package.
    skin::MemoryStream file(data.SkinFileBytes().Bytes());
    skin::TSkinReader reader;
    if (!reader.Open(file)) {
        std::abort();
    }
    bench::Measure("  read the description", repetitions, kUnit, [&reader] {
        skin::MemoryStream description;
        std::string name;
        reader.FindEntry(".ini", description, name);
        skin::TQuickIni ini;
        ini.LoadFromStream(&description);
    });
    // The objects built from the description alone, with every picture left
    // empty: what a load costs beside its pictures.
    skin::MemoryStream descriptionBytes;
    std::string descriptionName;
    reader.FindEntry(".ini", descriptionBytes, descriptionName);
    skin::TQuickIni description;
    description.LoadFromStream(&descriptionBytes);
    bench::Measure("  build the objects without their pictures", repetitions, kUnit, [&description] {
        skin::SkinObjectSet set;
        skin::ReadSkinDescription(
            description, [](ui::Bitmap& bitmap, const std::string&) { bitmap.Clear(); }, set);
    });
    std::vector<std::pair<int, int>> sizes;
    bench::Measure("  decode every bitmap of the package", repetitions, kUnit, [&reader, &sizes] {
        sizes.clear();
        for (const std::string& name : reader.Names()) {
            skin::MemoryStream bytes;
            reader.GetEntry(name, bytes);
            ui::Bitmap bitmap;
            if (name.ends_with(".bmp") && skin::DecodeBmp(bytes.Bytes(), bitmap)) {
                sizes.emplace_back(bitmap.Width(), bitmap.Height());
            }
        }
    });
    bench::Measure("    of which: take their entries", repetitions, kUnit, [&reader] {
        for (const std::string& name : reader.Names()) {
            skin::MemoryStream bytes;
            reader.GetEntry(name, bytes);
        }
    });
    bench::Measure("    for comparison: create their DIB sections", repetitions, kUnit, [&sizes] {
        for (const auto& [width, height] : sizes) {
            const ui::Bitmap bitmap(width, height, ui::PixelFormat::Bit24);
        }
    });
    // Under Wine the first write to each page of a new DIB section is what
    // costs, not the creation: why decoded pictures wait in memory.
    bench::Measure("    for comparison: create and fill DIB sections", repetitions, kUnit, [&sizes] {
        for (const auto& [width, height] : sizes) {
            ui::Bitmap bitmap(width, height, ui::PixelFormat::Bit24);
            std::memset(bitmap.ScanLine(0), 1, size_t(bitmap.Stride()) * size_t(height));
        }
    });
    const double everything = bench::Measure("LoadSkin again (interleaved with the decode)", repetitions, kUnit,
                                             [&data] {
                                                 if (!data.LoadSkin()) {
                                                     std::abort();
                                                 }
                                             });
    std::printf("%-52s %8.2f\n", "ratio LoadSkin / decompress and index", everything / decode);
    return 0;
}
