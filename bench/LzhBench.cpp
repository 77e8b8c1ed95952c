// Decoding speed of the LZH decoder beside the reference it replaced, on the
// default skin the login window carries, a 2 MB package of noisy bitmap strips
// (short matches, many literals: the tree is rebuilt many times) and a
// text-like package. Each decode is checked byte for byte against the packed
// package; the last lines print old and new MB/s and their ratio.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/ReferenceLzh.h"
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

// Many strips with a third of their pixels nudged: matches stay short and
// literals spread, so the tree is rebuilt every few thousand bytes of output.
Bytes MakeNoisyStripPackage() {
    std::mt19937 rng(7);
    std::vector<skinpack::PackageEntry> entries;
    const Rgb colours[] = {{236, 240, 246}, {176, 190, 214}, {52, 74, 120}, {40, 120, 215}, {220, 80, 70}};
    size_t total = 0;
    for (int n = 0; total < (2u << 20); ++n) {
        const Rgb from = colours[n % 5], to = colours[(n + 2) % 5];
        Bytes strip = MakeStrip(rng, 48 + n % 5 * 8, 40, 4, from, to, n % 2 == 0, 4, 35);
        total += strip.size();
        entries.push_back({"noise" + std::to_string(n) + ".bmp", std::move(strip)});
    }
    return skinpack::BuildPackage(70000, entries);
}

// Descriptions and prose: a small alphabet, many repeats at short distances.
Bytes MakeTextPackage() {
    std::mt19937 rng(11);
    const char* const words[] = {"the", "skin", "window", "caption", "button", "frame", "study", "lesson", "word",
                                 "reminder", "colour", "bitmap", "left", "right", "top", "bottom", "hint", "menu",
                                 "a", "of", "to", "and", "is", "in", "for", "with", "on", "every", "page", "login"};
    std::vector<skinpack::PackageEntry> entries;
    for (int n = 0; n < 16; ++n) {
        std::string text;
        while (text.size() < 64 * 1024) {
            if (rng() % 4 == 0) {
                text += "[Section" + std::to_string(rng() % 40) + "]\r\nBitmap=frame" + std::to_string(rng() % 9) +
                        ".bmp\r\nColor=" + std::to_string(rng() % 0xFFFFFF) + "\r\nMargins=" +
                        std::to_string(rng() % 8) + "," + std::to_string(rng() % 8) + "\r\n";
            } else {
                for (int w = 3 + int(rng() % 12); w > 0; --w) {
                    text += words[rng() % std::size(words)];
                    text += w == 1 ? ".\r\n" : " ";
                }
            }
        }
        entries.push_back({"text" + std::to_string(n) + ".ini", Bytes(text.begin(), text.end())});
    }
    return skinpack::BuildPackage(70000, entries);
}

Bytes ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The reference through the reader's former byte callbacks; the program's
// decoder as the reader calls it now.
Bytes DecodeWithReference(const Bytes& file) { return reference::DecodeSkinFile(file); }

Bytes DecodeWithProgram(const Bytes& file) {
    skin::MemoryStream source(file);
    skin::MemoryStream target;
    skin::TSkinReader::Decompress(source, target);
    return Bytes(target.Bytes().begin(), target.Bytes().end());
}

struct Input {
    std::string Name;
    Bytes Package;
    Bytes File;
};

const std::vector<Input>& Inputs() {
    static const std::vector<Input> inputs = [] {
        std::vector<Input> list;
        const Bytes defaultSkin = ReadFile(VOCARA_DEFAULT_SKIN_FILE);
        list.push_back({"default-skin", DecodeWithReference(defaultSkin), defaultSkin});
        for (auto& [name, package] : {std::pair{"noisy-strips-2MB", MakeNoisyStripPackage()},
                                      std::pair{"text", MakeTextPackage()}}) {
            list.push_back({name, package, skinpack::MakeSkinFile(package)});
        }
        return list;
    }();
    return inputs;
}

template <Bytes (*Decode)(const Bytes&)>
void BM_Decode(benchmark::State& state, const Input* input) {
    if (input->File.size() < 4) {
        state.SkipWithError("no input (is the default skin packed?)");
        return;
    }
    Bytes out;
    for (auto _ : state) {
        out = Decode(input->File);
        benchmark::DoNotOptimize(out.data());
    }
    // Both decoders must give the packed bytes exactly (the default skin's
    // package is what the reference decodes, so there the check is old = new).
    if (out != input->Package) {
        state.SkipWithError("decoded package differs");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input->Package.size()));
    state.counters["package_bytes"] = double(input->Package.size());
    state.counters["skin_file_bytes"] = double(input->File.size());
}

// The whole load of the default skin: decompress, index, copy the entry data,
// read the description.
void BM_OpenDefaultSkin(benchmark::State& state) {
    skin::MemoryStream file(ReadFile(VOCARA_DEFAULT_SKIN_FILE));
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
}

// Prints the usual table, then per input the old and new decoders' MB/s and
// their ratio, all from this one run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (!run.error_occurred && rate != run.counters.end()) {
                FRates[run.benchmark_name()] = double(rate->second) / 1e6;
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-20s %12s %12s %8s\n", "LZH decode", "old MB/s", "new MB/s", "new/old");
        for (const Input& input : Inputs()) {
            const auto old = FRates.find("decode/" + input.Name + "/old");
            const auto now = FRates.find("decode/" + input.Name + "/new");
            if (old != FRates.end() && now != FRates.end()) {
                std::printf("%-20s %12.1f %12.1f %8.2f\n", input.Name.c_str(), old->second, now->second,
                            now->second / old->second);
            }
        }
    }

private:
    std::map<std::string, double> FRates;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Old and new of one input one after the other, so that a change of load
    // on the machine touches both.
    for (const Input& input : Inputs()) {
        benchmark::RegisterBenchmark(("decode/" + input.Name + "/old").c_str(), BM_Decode<DecodeWithReference>,
                                     &input);
        benchmark::RegisterBenchmark(("decode/" + input.Name + "/new").c_str(), BM_Decode<DecodeWithProgram>,
                                     &input);
    }
    benchmark::RegisterBenchmark("open/default-skin", BM_OpenDefaultSkin);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
