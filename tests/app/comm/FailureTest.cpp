// The error texts: plain words for each kind of failure, then the detail.
#include "app/comm/Failure.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace {

using namespace app::comm;

struct KindCase {
    FailureKind kind;
    const char* plainWords;
};

TEST(Failure, EveryKindHasPlainWordsOfItsOwn) {
    const KindCase cases[] = {
        {FailureKind::CannotConnect, "无法连接服务器"},
        {FailureKind::ServerNotFound, "找不到服务器"},
        {FailureKind::Timeout, "服务器没有在规定时间内响应"},
        {FailureKind::ConnectionBroken, "与服务器的连接中断了"},
        {FailureKind::SecureConnection, "无法与服务器建立安全连接"},
        {FailureKind::Communication, "与服务器通信失败"},
        {FailureKind::ServerError, "服务器返回了错误"},
        {FailureKind::Redirected, "服务器把请求转到了别的地址"},
        {FailureKind::ReplyTooLarge, "服务器的回复过大"},
        {FailureKind::ReplyUnreadable, "服务器的回复无法读取"},
        {FailureKind::ReplyIncomplete, "服务器的回复不完整"},
        {FailureKind::CannotSaveLogin, "无法保存登录信息"},
        {FailureKind::CannotReadLogin, "无法读取保存的登录信息"},
        {FailureKind::BadServerAddress, "程序中的服务器地址无效"},
        {FailureKind::NetworkUnavailable, "无法启动网络功能"},
        {FailureKind::PasswordDigest, "无法计算密码摘要"},
        {FailureKind::PageCannotOpen, "无法打开页面"},
        {FailureKind::PageScriptFailed, "页面脚本无法运行"},
    };
    std::set<std::string> seen;
    for (const KindCase& c : cases) {
        EXPECT_EQ(FailurePlainText(c.kind), c.plainWords);
        EXPECT_TRUE(seen.insert(FailurePlainText(c.kind)).second) << c.plainWords << " twice";
    }
    // A kind the table does not know still reads as an error, never as nothing.
    EXPECT_EQ(FailurePlainText(static_cast<FailureKind>(999)), "出现错误");
}

TEST(Failure, TheTextIsThePlainWordsThenAnEmptyLineThenTheDetail) {
    EXPECT_EQ(FailureText(FailureKind::ServerError, "地址: http://h/p", 500),
              "服务器返回了错误 (状态 500)\n\n地址: http://h/p");
    EXPECT_EQ(FailureText(FailureKind::Timeout, ""), "服务器没有在规定时间内响应");
    const Failure failure(FailureKind::Redirected, "地址: http://h/p", 302);
    EXPECT_EQ(failure.Kind(), FailureKind::Redirected);
    EXPECT_STREQ(failure.what(), "服务器把请求转到了别的地址 (状态 302)\n\n地址: http://h/p");
}

// Rethrows what f throws, as RethrowAsFailure does inside a catch block.
template <class F>
Failure Rethrown(F f, FailureKind kind, const char* detail) {
    try {
        try {
            f();
        } catch (...) {
            RethrowAsFailure(kind, detail);
        }
    } catch (const Failure& failure) {
        return failure;
    }
    ADD_FAILURE() << "nothing thrown";
    return Failure(kind, "");
}

TEST(Failure, AnotherPartsErrorIsToldInOurWordsAndOursPassesAsItIs) {
    const Failure foreign =
        Rethrown([] { throw std::runtime_error("COM said no"); }, FailureKind::PageScriptFailed, "脚本: sbody()");
    EXPECT_STREQ(foreign.what(), "页面脚本无法运行\n\n脚本: sbody()\n原因: COM said no");

    const Failure ours = Rethrown([] { throw Failure(FailureKind::Timeout, "地址: http://h/p"); },
                                  FailureKind::PageCannotOpen, "地址: http://h/q");
    EXPECT_EQ(ours.Kind(), FailureKind::Timeout);
    EXPECT_STREQ(ours.what(), "服务器没有在规定时间内响应\n\n地址: http://h/p");

    const Failure unknown = Rethrown([] { throw 42; }, FailureKind::PageCannotOpen, "地址: http://h/q");
    EXPECT_STREQ(unknown.what(), "无法打开页面\n\n地址: http://h/q");
}

TEST(Failure, AddressesAreShownWithoutQueryOrFragment) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://h:1/en/user/rl.php?em=a&p=digest", "http://h:1/en/user/rl.php"},
        {"http://h/en/r/r.php#top", "http://h/en/r/r.php"},
        {"http://h/plain", "http://h/plain"},
        {"", ""},
    };
    for (const auto& [address, shown] : cases) {
        EXPECT_EQ(AddressWithoutQuery(address), shown);
    }
}

} // namespace
