// Builds the benchmark's sample text from a seeded generator; no files are involved.
#include "bench/log_text.h"

#include "text/codepage.h"

#include <unicode/ustring.h>

#include <array>
#include <cstdio>
#include <random>
#include <string_view>

namespace vexlo::bench {

namespace {

constexpr std::array<std::string_view, 16> chineseWords = {
    "用户", "订单", "支付", "登录", "服务器", "请求", "响应", "数据库",
    "缓存", "超时", "重试", "成功", "失败",   "配置", "文件", "网络"};
constexpr std::array<std::string_view, 6> chineseSentences = {
    "系统正在处理您的请求，请稍候。", "连接已建立，开始传输数据。",
    "读取配置文件时发现未知的选项。", "本次操作耗时较长，建议稍后重试。",
    "用户已退出登录，会话已清除。",   "磁盘空间不足，请清理临时文件。"};
constexpr std::array<std::string_view, 16> asciiWords = {
    "worker", "request", "session", "cache",  "upload", "status", "token", "retry",
    "queue",  "commit",  "socket",  "buffer", "client", "server", "index", "parse"};
constexpr std::array<std::string_view, 4> hosts = {"shop.example.com", "api.example.org",
                                                   "cdn.example.net", "www.example.cn"};
constexpr std::array<std::string_view, 3> levels = {"INFO", "WARN", "DEBUG"};

} // namespace

std::string toCodePage936(const std::string& utf8) {
    std::u16string units(utf8.size(), u'\0');
    int32_t length = 0;
    UErrorCode err = U_ZERO_ERROR;
    u_strFromUTF8(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                  static_cast<int32_t>(utf8.size()), &err);
    units.resize(U_SUCCESS(err) ? static_cast<std::size_t>(length) : 0);
    return utf16ToAnsi(units);
}

std::string makeLogText(std::size_t utf8Bytes, std::uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&](auto const& list) { return list[random() % list.size()]; };
    auto number = [&](int maxDigits) {
        const int digits = 1 + int(random() % unsigned(maxDigits));
        std::string out;
        for (int i = 0; i < digits; ++i)
            out += char('0' + (i == 0 ? 1 + random() % 9 : random() % 10));
        return out;
    };
    std::string text;
    text.reserve(utf8Bytes + 256);
    char stamp[32];
    while (text.size() < utf8Bytes) {
        if (!text.empty())
            text += "\r\n";
        std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ",
                      2020 + unsigned(random() % 6), 1 + unsigned(random() % 12),
                      1 + unsigned(random() % 28), unsigned(random() % 24), unsigned(random() % 60),
                      unsigned(random() % 60), unsigned(random() % 1000));
        text += stamp;
        const bool error = random() % 100 < 3;
        text += error ? "error" : pick(levels);
        const int tokens = 3 + int(random() % 6);
        for (int i = 0; i < tokens; ++i) {
            text += ' ';
            switch (random() % 9) {
            case 0:
            case 1:
                text += pick(chineseWords);
                break;
            case 2:
                text += pick(asciiWords);
                break;
            case 3:
            case 4:
            case 5:
                text += number(6);
                break;
            case 6:
                text += "https://";
                text += pick(hosts);
                text += "/item/" + number(5) + "?ref=" + std::string(pick(asciiWords));
                break;
            case 7:
                text += pick(chineseSentences);
                break;
            default:
                text += pick(asciiWords);
                text += '=';
                text += number(4);
                break;
            }
        }
    }
    return text;
}

} // namespace vexlo::bench
