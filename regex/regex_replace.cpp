// regexReplace: one Boost.Regex replace over the raw bytes of a text, compiled afresh per call.
// Compile failures and the library's limits come back as std::nullopt, never as exceptions.
#include "regex/regex_replace.h"

#include <boost/regex.hpp>

#include <exception>
#include <iterator>
#include <string>

namespace vexlo {

std::optional<AnsiText> regexReplace(std::string_view text, std::string_view pattern,
                                     std::string_view replacement, bool replaceAll,
                                     EmptyMatches empty) {
    if (pattern.empty()) {
        return AnsiText(text);
    }
    try {
        // Perl syntax and nothing else: case-sensitive, one byte one character. The parser is
        // given a NUL-terminated copy: over a bare view it was seen reading past the end of a
        // pattern that ends in a class with a backslash ("\ba[d\" followed by other bytes;
        // the fuzz corpus keeps that input).
        const std::string source(pattern);
        const boost::regex expression(source.data(), source.data() + source.size(),
                                      boost::regex::perl);
        boost::regex_constants::match_flag_type flags = boost::format_all;
        if (!replaceAll) {
            flags |= boost::format_first_only;
        }
        if (empty == EmptyMatches::skipped) {
            flags |= boost::match_not_null;
        }
        AnsiText result;
        result.reserve(text.size());
        boost::regex_replace(std::back_inserter(result), text.begin(), text.end(), expression,
                             std::string(replacement), flags);
        return result;
    } catch (const std::exception&) {
        // A pattern that does not compile, the complexity limit, memory: no rewrite.
        return std::nullopt;
    }
}

} // namespace vexlo
