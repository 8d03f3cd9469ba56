// Reading case lines, running them through Regex, and writing the JSON lines of vexlo-cases.
#include "tools/case_file.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdio>

namespace vexlo::cases {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendCodePoint(std::u16string& out, UChar32 c) {
    if (c < 0)
        c = 0xFFFD;
    char16_t units[2];
    std::int32_t n = 0;
    U16_APPEND_UNSAFE(units, n, c);
    out.append(units, std::size_t(n));
}

/// A JSON string of UTF-16 units: UTF-8 where the units are well formed, \uXXXX for control
/// characters and lone surrogates.
void appendJsonString(std::string& out, std::u16string_view s) {
    out += '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t u = s[i];
        UChar32 c = u;
        if (U16_IS_LEAD(u) && i + 1 < s.size() && U16_IS_TRAIL(s[i + 1])) {
            c = U16_GET_SUPPLEMENTARY(u, s[i + 1]);
            ++i;
        } else if (U16_IS_SURROGATE(u) || u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(u));
            out += buf;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            continue;
        }
        char bytes[4];
        std::int32_t n = 0;
        U8_APPEND_UNSAFE(bytes, n, c);
        out.append(bytes, std::size_t(n));
    }
    out += '"';
}

} // namespace

std::u16string decodeField(std::string_view utf8) {
    std::u16string out;
    const auto* s = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = std::int32_t(utf8.size());
    std::int32_t i = 0;
    while (i < length) {
        if (s[i] == '\\' && i + 1 < length) {
            const char next = char(s[i + 1]);
            if (next == 'n' || next == 'r' || next == 't' || next == '\\') {
                out += next == 'n' ? u'\n' : next == 'r' ? u'\r' : next == 't' ? u'\t' : u'\\';
                i += 2;
                continue;
            }
            if (next == 'u' && i + 5 < length) {
                unsigned value = 0;
                bool hex = true;
                for (int k = 2; k < 6 && hex; ++k) {
                    const int d = hexDigit(char(s[i + k]));
                    hex = d >= 0;
                    value = value * 16 + unsigned(d);
                }
                if (hex) {
                    out += char16_t(value);
                    i += 6;
                    continue;
                }
            }
        }
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        appendCodePoint(out, c);
    }
    return out;
}

std::optional<Case> parseLine(std::string_view line, std::string& error) {
    error.clear();
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line.front() == '#')
        return std::nullopt;
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    Case c;
    if (fields.size() < 4) {
        error = "fewer than four tab-separated fields";
        return c;
    }
    c.options.ignoreCase = c.options.multiline = c.options.global = false;
    for (const char f : fields[1]) {
        if (f == 'i')
            c.options.ignoreCase = true;
        else if (f == 'm')
            c.options.multiline = true;
        else if (f == 'g')
            c.options.global = true;
        else if (f != '-') {
            error = std::string("unknown flag '") + f + "'";
            return c;
        }
    }
    c.id = std::string(fields[0]);
    c.pattern = decodeField(fields[2]);
    c.subject = decodeField(fields[3]);
    for (std::size_t k = 4; k < fields.size(); ++k)
        c.extra.emplace_back(fields[k]);
    return c;
}

CaseResult runCase(const Case& c) {
    CaseResult result;
    const Regex regex = Regex::compile(c.pattern, c.options);
    if (!regex.ok())
        return result;
    const std::u16string_view subject = c.subject;
    const ExecStatus status = regex.forEachMatch(subject, [&](MatchOffsets m) {
        MatchResult r;
        r.index = m[0];
        r.length = m[1] - m[0];
        r.value = std::u16string(subject.substr(std::size_t(m[0]), std::size_t(r.length)));
        for (std::size_t g = 2; g + 1 < m.size(); g += 2) {
            if (m[g] < 0)
                r.sub.emplace_back(std::nullopt);
            else
                r.sub.emplace_back(std::u16string(
                    subject.substr(std::size_t(m[g]), std::size_t(m[g + 1] - m[g]))));
        }
        result.matches.push_back(std::move(r));
        return true;
    });
    result.runaway = status == ExecStatus::runaway;
    result.ok = !result.runaway;
    return result;
}

std::string toJson(std::string_view id, const CaseResult& result) {
    std::string out = "{\"id\":";
    std::u16string id16;
    // Ids are written back as they were read: decode as UTF-8 without escapes.
    const auto* s = reinterpret_cast<const std::uint8_t*>(id.data());
    for (std::int32_t i = 0; i < std::int32_t(id.size());) {
        UChar32 c = 0;
        U8_NEXT(s, i, std::int32_t(id.size()), c);
        appendCodePoint(id16, c);
    }
    appendJsonString(out, id16);
    if (!result.ok) {
        out += result.runaway ? ",\"ok\":false,\"runaway\":true}" : ",\"ok\":false}";
        return out;
    }
    out += ",\"ok\":true,\"matches\":[";
    for (std::size_t k = 0; k < result.matches.size(); ++k) {
        const MatchResult& m = result.matches[k];
        if (k > 0)
            out += ',';
        out += "{\"index\":" + std::to_string(m.index) + ",\"length\":" + std::to_string(m.length) +
               ",\"value\":";
        appendJsonString(out, m.value);
        out += ",\"sub\":[";
        for (std::size_t g = 0; g < m.sub.size(); ++g) {
            if (g > 0)
                out += ',';
            if (m.sub[g])
                appendJsonString(out, *m.sub[g]);
            else
                out += "null";
        }
        out += "]}";
    }
    out += "]}";
    return out;
}

} // namespace vexlo::cases
