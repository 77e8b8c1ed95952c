#include "app/comm/Failure.h"

#include <exception>

namespace app::comm {

namespace {

struct PlainWords {
    FailureKind kind;
    const char* text;
};
constexpr PlainWords kPlainWords[] = {
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

} // namespace

std::string FailurePlainText(FailureKind kind, int status) {
    std::string text = "出现错误";
    for (const PlainWords& words : kPlainWords) {
        if (words.kind == kind) {
            text = words.text;
            break;
        }
    }
    if (status != 0) {
        text += " (状态 " + std::to_string(status) + ")";
    }
    return text;
}

std::string FailureText(FailureKind kind, std::string_view detail, int status) {
    std::string text = FailurePlainText(kind, status);
    if (!detail.empty()) {
        text += "\n\n";
        text.append(detail);
    }
    return text;
}

Failure::Failure(FailureKind kind, std::string_view detail, int status)
    : std::runtime_error(FailureText(kind, detail, status)), kind_(kind) {}

void RethrowAsFailure(FailureKind kind, std::string_view detail) {
    try {
        throw;
    } catch (const Failure&) {
        throw;
    } catch (const std::exception& error) {
        std::string more(detail);
        if (!more.empty()) {
            more += "\n";
        }
        more += "原因: ";
        more += error.what();
        throw Failure(kind, more);
    } catch (...) {
        throw Failure(kind, detail);
    }
}

std::string AddressWithoutQuery(std::string_view address) {
    return std::string(address.substr(0, address.find_first_of("?#")));
}

} // namespace app::comm
