#pragma once
// Builders for skin data tests: BMP files in several encodings, skins packed
// from a description and a few pictures, and a recording skin manager.

#include "skin/data/MemoryStream.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinManagerLink.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/PackageWriter.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace skintest {

using Bytes = std::vector<uint8_t>;

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
constexpr Rgb kMagenta{255, 0, 255};

inline void PutU16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
inline void PutU32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
    }
}

// A BMP file: the 14-byte file header, a 40-byte info header, the palette and
// the pixel bytes exactly as given.
inline Bytes BmpFile(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                     const std::vector<Rgb>& palette, const Bytes& pixels, const std::vector<uint32_t>& masks = {}) {
    const uint32_t offset = 54 + uint32_t(masks.size()) * 4 + uint32_t(palette.size()) * 4;
    Bytes b(offset);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 2, offset + uint32_t(pixels.size()));
    PutU32(b, 10, offset);
    PutU32(b, 14, 40);
    PutU32(b, 18, uint32_t(width));
    PutU32(b, 22, uint32_t(height));
    PutU16(b, 26, 1);
    PutU16(b, 28, bitCount);
    PutU32(b, 30, compression);
    PutU32(b, 34, uint32_t(pixels.size()));
    PutU32(b, 46, uint32_t(palette.size()));
    size_t at = 54;
    for (uint32_t m : masks) {
        PutU32(b, at, m);
        at += 4;
    }
    for (const Rgb& c : palette) {
        b[at++] = c.b;
        b[at++] = c.g;
        b[at++] = c.r;
        b[at++] = 0;
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// A 24-bit bottom-up BMP whose pixel (x, y) (y from the top) is colour(x, y).
inline Bytes Bmp24(int width, int height, const std::function<Rgb(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    Bytes pixels(size_t(stride) * size_t(height));
    for (int y = 0; y < height; ++y) {
        uint8_t* row = pixels.data() + size_t(height - 1 - y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            row[3 * x] = c.b;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.r;
        }
    }
    return BmpFile(width, height, 24, 0, {}, pixels);
}

inline Bytes SolidBmp(int width, int height, Rgb colour) {
    return Bmp24(width, height, [colour](int, int) { return colour; });
}

// A strip of `cells` cells, each filled with its own grey (10, 20, 30, ...)
// and with its left column red, so order and mirroring both show.
inline Bytes CellStrip(int cellWidth, int height, int cells) {
    return Bmp24(cellWidth * cells, height, [cellWidth](int x, int) {
        const int cell = x / cellWidth;
        if (x % cellWidth == 0) {
            return Rgb{255, 0, 0};
        }
        const auto grey = uint8_t(10 * (cell + 1));
        return Rgb{grey, grey, grey};
    });
}

inline constexpr ui::Color ColorOf(Rgb c) { return ui::Color(c.r | c.g << 8 | c.b << 16); }

// A skin file: the description as "skin.ini" and the pictures under their names.
inline Bytes SkinFile(const std::string& description, const std::map<std::string, Bytes>& pictures,
                      uint32_t version = 70000) {
    std::vector<skinpack::PackageEntry> entries;
    for (const auto& [name, data] : pictures) {
        entries.push_back({name, data});
    }
    entries.push_back({"skin.ini", Bytes(description.begin(), description.end())});
    return skinpack::MakeSkinFile(skinpack::BuildPackage(version, entries));
}

// The SkinStream form of a skin file.
inline skin::MemoryStream SkinStreamOf(const Bytes& skinFile) {
    skin::MemoryStream stream;
    stream.WriteUInt32(uint32_t(skinFile.size()));
    stream.Write(skinFile);
    stream.SetPosition(0);
    return stream;
}

// One call the component made to the manager, as text ("PostCommand 1 250").
class RecordingManager : public skin::SkinManagerLink {
public:
    explicit RecordingManager(std::vector<std::string>& log) : log_(log) {}

    void RegisterSkinData(skin::TSkinData&) override { log_.push_back("RegisterSkinData"); }
    void UnregisterSkinData(skin::TSkinData&) override { log_.push_back("UnregisterSkinData"); }
    void InstallHook() override { log_.push_back("InstallHook"); }
    void SetCurrentSkinData(skin::TSkinData&) override { log_.push_back("SetCurrentSkinData"); }
    void PostCommand(skin::SkinCommand command, int delayMs) override {
        log_.push_back("PostCommand " + std::to_string(int(command)) + " " + std::to_string(delayMs));
    }
    int StartCount() const override { return startCount; }
    void SetStartCount(int count) override {
        startCount = count;
        log_.push_back("SetStartCount " + std::to_string(count));
    }
    void SwitchOn() override { log_.push_back("SwitchOn"); }
    void SkinForm(ui::Form&) override { log_.push_back("SkinForm"); }
    void ReloadFrameData(skin::TSkinData&) override { log_.push_back("ReloadFrameData"); }

    int startCount = 0;

private:
    std::vector<std::string>& log_;
};

// Installs a recording manager factory for the life of the object; the
// manager itself is made when a component first asks for one.
class ManagerScope {
public:
    ManagerScope() {
        skin::DestroySkinManager();
        skin::SetSkinManagerFactory([this] {
            auto manager = std::make_unique<RecordingManager>(log);
            recorder = manager.get();
            return manager;
        });
    }
    ~ManagerScope() {
        skin::DestroySkinManager();
        skin::SetSkinManagerFactory({});
    }
    ManagerScope(const ManagerScope&) = delete;
    ManagerScope& operator=(const ManagerScope&) = delete;

    std::vector<std::string> log;
    RecordingManager* recorder = nullptr;
};

// A skin data component with no owner that records the reader's messages
// instead of showing them.
struct SkinUnderTest {
    std::vector<std::string> messages;
    std::unique_ptr<skin::TSkinData> data;

    SkinUnderTest() : data(std::make_unique<skin::TSkinData>(nullptr)) {
        data->showMessage = [this](const std::string& text) { messages.push_back(text); };
    }
    bool Load(const Bytes& skinFile) {
        skin::MemoryStream stream = SkinStreamOf(skinFile);
        return data->ReadSkinStream(stream);
    }
    skin::TSkinData* operator->() const { return data.get(); }
};

} // namespace skintest
