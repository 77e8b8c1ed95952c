#include "app/comm/Md5.h"

#include "skin/data/CodePage.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct DigestCase {
    const char* text;
    const char* digest;
};

// The test suite of RFC 1321, appendix A.5.
constexpr DigestCase kRfc1321[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5, MatchesTheReferenceVectorsInLowercaseHex) {
    for (const DigestCase& c : kRfc1321) {
        EXPECT_EQ(app::comm::md5hex(c.text), c.digest) << '"' << c.text << '"';
    }
}

TEST(Md5, HashesTheSystemCodePageBytesOfAChineseText) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with code page 936";
    const std::string bytes = skin::WideToAnsi(L"学习2026");
    ASSERT_EQ(bytes, "\xD1\xA7\xCF\xB0" "2026");
    EXPECT_EQ(app::comm::md5hex(bytes), "bb2406a651ff71d16230ea7853b678d4");
}

TEST(Md5, HashesEmbeddedZeroBytes) {
    // md5 of the three bytes 61 00 62, not of "a".
    EXPECT_EQ(app::comm::md5hex(std::string_view("a\0b", 3)), "70350f6027bce3713f6b76473084309b");
}

} // namespace
