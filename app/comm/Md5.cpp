#include "app/comm/Md5.h"

#include "app/comm/Failure.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace app::comm {

namespace {

struct AlgorithmCloser {
    void operator()(BCRYPT_ALG_HANDLE handle) const { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct HashCloser {
    void operator()(BCRYPT_HASH_HANDLE handle) const { BCryptDestroyHash(handle); }
};
using UniqueAlgorithm = std::unique_ptr<void, AlgorithmCloser>;
using UniqueHash = std::unique_ptr<void, HashCloser>;

constexpr ULONG kDigestSize = 16;

void Check(NTSTATUS status, const char* step) {
    if (!BCRYPT_SUCCESS(status)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
        throw Failure(FailureKind::PasswordDigest, std::string("MD5 (CNG): ") + step + " 状态 " + code);
    }
}

} // namespace

std::string md5hex(std::string_view text) {
    BCRYPT_ALG_HANDLE algorithmHandle = nullptr;
    Check(BCryptOpenAlgorithmProvider(&algorithmHandle, BCRYPT_MD5_ALGORITHM, nullptr, 0),
          "BCryptOpenAlgorithmProvider");
    const UniqueAlgorithm algorithm(algorithmHandle);

    BCRYPT_HASH_HANDLE hashHandle = nullptr;
    Check(BCryptCreateHash(algorithmHandle, &hashHandle, nullptr, 0, nullptr, 0, 0), "BCryptCreateHash");
    const UniqueHash hash(hashHandle);

    // BCryptHashData takes a ULONG length; feed long texts in pieces.
    constexpr size_t kPiece = 1u << 30;
    for (size_t offset = 0; offset < text.size(); offset += kPiece) {
        const size_t n = std::min(kPiece, text.size() - offset);
        auto* bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(text.data() + offset));
        Check(BCryptHashData(hashHandle, bytes, ULONG(n), 0), "BCryptHashData");
    }
    UCHAR digest[kDigestSize];
    Check(BCryptFinishHash(hashHandle, digest, kDigestSize, 0), "BCryptFinishHash");

    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * kDigestSize);
    for (const UCHAR byte : digest) {
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 0x0F]);
    }
    return hex;
}

} // namespace app::comm
