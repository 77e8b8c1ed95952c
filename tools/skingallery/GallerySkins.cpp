#include "tools/skingallery/GallerySkins.h"

#include "skin/data/MemoryStream.h"
#include "skin/data/SkinReader.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace gallery {
namespace {

constexpr wchar_t kDefaultSkinResource[] = L"DEFAULTSKIN";
constexpr wchar_t kDefaultSkinName[] = L"默认皮肤";

// A packed skin never comes near this: more cannot decompress into a package
// the reader takes.
constexpr uintmax_t kMaxSkinFileBytes = skin::TSkinReader::kMaxPackageSize;

} // namespace

std::wstring CheckSkinFile(const std::wstring& path) {
    const std::filesystem::path file(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return L"文件不存在，或者不是一个普通文件。";
    }
    const uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        return L"无法读取这个文件。";
    }
    if (size == 0) {
        return L"文件是空的。";
    }
    if (size > kMaxSkinFileBytes) {
        return L"文件太大，不可能是皮肤文件。";
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes(size);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size))) {
        return L"无法读取这个文件。";
    }

    skin::TSkinData probe(nullptr);
    bool readerComplained = false;
    probe.showMessage = [&readerComplained](const std::string&) { readerComplained = true; };
    skin::MemoryStream stream;
    stream.WriteUInt32(uint32_t(bytes.size()));
    stream.Write(bytes);
    stream.SetPosition(0);
    if (probe.ReadSkinStream(stream) && !probe.NotLoaded()) {
        return {};
    }
    if (readerComplained) {
        return L"皮肤文件的格式版本太旧或无法识别。";
    }
    return L"文件已损坏，或者不是皮肤文件。";
}

bool GallerySkins::UseDefault() {
    if (!data_.ReadSkinStreamFromResource(resources_, kDefaultSkinResource) || data_.NotLoaded()) {
        return false;
    }
    currentName_ = kDefaultSkinName;
    data_.ApplySkin();
    return true;
}

bool GallerySkins::UseFile(const std::wstring& path, std::wstring& reason) {
    reason = CheckSkinFile(path);
    if (!reason.empty()) {
        return false;
    }
    // Kept to fall back on should the file change between the check and the load.
    skin::MemoryStream previous;
    previous.WriteUInt32(uint32_t(data_.SkinFileBytes().Size()));
    previous.Write(data_.SkinFileBytes().Bytes());
    previous.SetPosition(0);
    data_.SetSkinFile(path);
    if (data_.NotLoaded()) {
        data_.ReadSkinStream(previous);
        data_.ApplySkin();
        reason = L"文件在读取时发生了变化。";
        return false;
    }
    currentName_ = std::filesystem::path(path).filename().wstring();
    return true;
}

} // namespace gallery
