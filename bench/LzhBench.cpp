// Decoding speed of a realistic skin file: a version-70000 package of 34
// 24-bit bitmap strips (frames, captions, buttons, scroll-bar parts: gradients,
// flat areas, magenta key corners, a little dithering) and one description
// text, about 207 KB that pack to about 29 KB, like the skin the login window
// carries.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/PackageWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Rgb {
    int R, G, B;
};

// A strip of `frames` cells side by side; each cell a gradient between two
// colours (vertical or horizontal), a one-pixel darker edge, magenta corners
// of the given radius, and ditherPercent of the pixels nudged by one step.
Bytes MakeStrip(std::mt19937& rng, int cellWidth, int height, int frames, Rgb from, Rgb to, bool vertical,
                int corner, int ditherPercent) {
    const int width = cellWidth * frames;
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t fileSize = uint32_t(54 + stride * height);
    Bytes bmp = {'B', 'M', uint8_t(fileSize), uint8_t(fileSize >> 8), uint8_t(fileSize >> 16), 0, 0, 0, 0, 0, 54, 0,
                 0, 0, 40, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), 0, 0, uint8_t(height), uint8_t(height >> 8), 0,
                 0, 1, 0, 24, 0};
    bmp.resize(54, 0);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cx = x % cellWidth;
            const int frame = x / cellWidth;
            const int dx = std::min(cx, cellWidth - 1 - cx);
            const int dy = std::min(y, height - 1 - y);
            if (dx < corner && dy < corner && (corner - dx) * (corner - dx) + (corner - dy) * (corner - dy) > corner * corner) {
                bmp.insert(bmp.end(), {0xFF, 0x00, 0xFF}); // transparent key
                continue;
            }
            const int t = vertical ? y * 256 / std::max(1, height - 1) : cx * 256 / std::max(1, cellWidth - 1);
            const int shade = frame * 12 - (dx == 0 || dy == 0 ? 40 : 0);
            const int dither = percent(rng) < ditherPercent ? int(rng() % 3) - 1 : 0;
            auto channel = [&](int a, int b) { return uint8_t(std::clamp(a + (b - a) * t / 256 + shade + dither, 0, 255)); };
            bmp.push_back(channel(from.B, to.B));
            bmp.push_back(channel(from.G, to.G));
            bmp.push_back(channel(from.R, to.R));
        }
        bmp.resize(54 + size_t(stride) * (y + 1), 0);
    }
    return bmp;
}

std::string MakeDescription(const std::vector<skinpack::PackageEntry>& bitmaps) {
    std::string ini = "[Skin]\r\nName=Default\r\nVersion=70000\r\nColors=19\r\n";
    int n = 0;
    for (const auto& entry : bitmaps) {
        const std::string key = entry.Name.substr(0, entry.Name.find('.'));
        ini += "\r\n[" + key + "]\r\nBitmap=" + entry.Name + "\r\nFrame=" + std::to_string(1 + n % 5) +
               "\r\nLeftMargin=" + std::to_string(3 + n % 4) + "\r\nRightMargin=" + std::to_string(3 + n % 4) +
               "\r\nTopMargin=" + std::to_string(2 + n % 3) + "\r\nBottomMargin=" + std::to_string(2 + n % 3) +
               "\r\nTile=" + std::to_string(n % 2) + "\r\nTransparent=1\r\nFontColor=" + std::to_string(0x101010 * (n % 9)) +
               "\r\n";
        ++n;
    }
    ini += "\r\n[Colors]\r\n";
    for (int i = 0; i < 19; ++i) {
        ini += "Color" + std::to_string(i) + "=" + std::to_string(0xC0C0C0 - i * 0x030303) + "\r\n";
    }
    return ini;
}

Bytes MakeSkinPackage() {
    std::mt19937 rng(2024);
    std::vector<skinpack::PackageEntry> entries;
    auto add = [&](std::string name, int cellWidth, int height, int frames, Rgb from, Rgb to, bool vertical,
                   int corner, int ditherPercent) {
        entries.push_back(
            {std::move(name), MakeStrip(rng, cellWidth, height, frames, from, to, vertical, corner, ditherPercent)});
    };
    const Rgb light{236, 240, 246}, mid{176, 190, 214}, dark{52, 74, 120}, accent{40, 120, 215};
    add("caption.bmp", 90, 26, 2, accent, dark, true, 6, 11);
    add("captionleft.bmp", 16, 30, 2, accent, dark, true, 6, 11);
    add("captionright.bmp", 16, 30, 2, accent, dark, true, 6, 11);
    add("frameleft.bmp", 6, 120, 2, mid, dark, false, 0, 5);
    add("frameright.bmp", 6, 120, 2, dark, mid, false, 0, 5);
    add("framebottom.bmp", 120, 6, 2, mid, dark, true, 3, 5);
    add("button.bmp", 65, 21, 4, light, mid, true, 3, 11);
    add("defaultbutton.bmp", 65, 21, 4, light, accent, true, 3, 11);
    add("checkbox.bmp", 13, 13, 6, light, mid, true, 0, 5);
    add("radio.bmp", 13, 13, 6, light, mid, true, 5, 5);
    add("closebutton.bmp", 21, 21, 4, {220, 80, 70}, {160, 30, 30}, true, 4, 5);
    add("maxbutton.bmp", 21, 21, 4, light, mid, true, 4, 5);
    add("minbutton.bmp", 21, 21, 4, light, mid, true, 4, 5);
    add("restorebutton.bmp", 21, 21, 4, light, mid, true, 4, 5);
    add("helpbutton.bmp", 21, 21, 4, light, mid, true, 4, 5);
    add("scrollup.bmp", 16, 16, 4, light, mid, true, 2, 5);
    add("scrolldown.bmp", 16, 16, 4, light, mid, true, 2, 5);
    add("scrollleft.bmp", 16, 16, 4, light, mid, false, 2, 5);
    add("scrollright.bmp", 16, 16, 4, light, mid, false, 2, 5);
    add("scrollthumbv.bmp", 17, 30, 4, light, mid, false, 3, 5);
    add("scrollthumbh.bmp", 30, 17, 4, light, mid, true, 3, 5);
    add("scrolltrackv.bmp", 17, 40, 2, mid, light, false, 0, 5);
    add("scrolltrackh.bmp", 40, 17, 2, mid, light, true, 0, 5);
    add("edit.bmp", 44, 21, 3, {255, 255, 255}, light, true, 2, 5);
    add("combo.bmp", 44, 21, 3, {255, 255, 255}, light, true, 2, 5);
    add("combobutton.bmp", 17, 21, 4, light, mid, true, 2, 5);
    add("groupbox.bmp", 40, 40, 1, light, light, true, 4, 5);
    add("panel.bmp", 48, 32, 1, light, mid, true, 0, 5);
    add("menubar.bmp", 72, 18, 2, light, mid, true, 0, 11);
    add("menuitem.bmp", 72, 18, 2, {255, 255, 255}, light, true, 2, 5);
    add("tab.bmp", 50, 20, 3, light, mid, true, 3, 5);
    add("progress.bmp", 60, 14, 2, accent, dark, true, 2, 5);
    add("trackbar.bmp", 11, 20, 4, light, accent, true, 2, 5);
    add("background.bmp", 56, 40, 1, light, {214, 222, 236}, true, 0, 11);
    const std::string ini = MakeDescription(entries);
    entries.push_back({"skin.ini", Bytes(ini.begin(), ini.end())});
    return skinpack::BuildPackage(70000, entries);
}

void BM_DecompressSkinFile(benchmark::State& state) {
    const Bytes package = MakeSkinPackage();
    skin::MemoryStream file(skinpack::MakeSkinFile(package));
    skin::MemoryStream target;
    for (auto _ : state) {
        if (!skin::TSkinReader::Decompress(file, target)) {
            state.SkipWithError("decompress refused");
            break;
        }
        benchmark::DoNotOptimize(target.Data());
    }
    if (target.Size() != package.size() || !std::equal(package.begin(), package.end(), target.Data())) {
        state.SkipWithError("decoded package differs");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(package.size()));
    state.counters["package_bytes"] = double(package.size());
    state.counters["skin_file_bytes"] = double(file.Size());
}
BENCHMARK(BM_DecompressSkinFile);

// The whole load: decompress, index, copy the entry data, read the description.
void BM_OpenSkinFile(benchmark::State& state) {
    const Bytes package = MakeSkinPackage();
    skin::MemoryStream file(skinpack::MakeSkinFile(package));
    for (auto _ : state) {
        skin::TSkinReader reader;
        if (!reader.Open(file)) {
            state.SkipWithError("open failed");
            break;
        }
        skin::MemoryStream ini;
        std::string name;
        reader.FindEntry(".ini", ini, name);
        benchmark::DoNotOptimize(ini.Data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(package.size()));
}
BENCHMARK(BM_OpenSkinFile);

} // namespace

BENCHMARK_MAIN();
