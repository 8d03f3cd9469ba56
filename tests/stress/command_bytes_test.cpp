// Every pattern command over patterns made of bytes 0x80 to 0xFF: each lead byte with trail
// bytes that look like what the commands rewrite, and lone lead bytes at the end. No command
// may crash, and none may drop or split a two-byte character of the pattern.
#include "workbench/commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vexlo {
namespace {

/// The two-byte characters of text (and a lone lead byte at its end), walking it as the text
/// operations do: a byte 0x80 to 0xFF takes the byte after it, whatever that is.
std::vector<std::string> twoByteCharacters(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            found.emplace_back(text.substr(i, 2));
            ++i;
        }
    }
    return found;
}

/// The bytes 0x80 to 0xFF of text, in order, leaving out those that occur in except.
std::string highBytes(std::string_view text, std::string_view except = {}) {
    std::string found;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80 && except.find(c) == std::string_view::npos) {
            found += c;
        }
    }
    return found;
}

/// True when every element of part appears in whole, in order, in all.
template <typename Sequence> bool inOrderWithin(const Sequence& part, const Sequence& all) {
    auto at = all.begin();
    for (const auto& element : part) {
        at = std::find(at, all.end(), element);
        if (at == all.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

// Trail bytes that read as what the commands look for: metacharacters, the backslash, letters
// (also s and d), digits, the blank, the quote, CR and LF, braces, and high bytes themselves.
const std::string kTrails = "\\.+*[]{}?()^$-|!sdSDaz AZ09\"\r\n\x01\x7F\x80\xFF";
// ASCII put between the characters so that every command has something to rewrite.
const std::vector<std::string> kBetween = {"\\s", " ",   "\r\n", "\"", ".", "1",  "a",
                                           "Z",   "\\d", "{2}",  "*",  "(", "\\", "11"};

/// Patterns of two-byte characters: per lead byte, that lead with every trail, ASCII between
/// them and a lone lead at the end; then runs of high bytes only, of even and odd length.
std::vector<std::string> patterns() {
    std::vector<std::string> all;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        std::string pattern;
        for (std::size_t t = 0; t < kTrails.size(); ++t) {
            pattern += static_cast<char>(lead);
            pattern += kTrails[t];
            pattern += kBetween[t % kBetween.size()];
        }
        pattern += static_cast<char>(lead);
        all.push_back(pattern);
        all.emplace_back(1, static_cast<char>(lead));
        all.push_back("ab\\s\\s" + std::string(3, static_cast<char>(lead)));
    }
    std::string ascending, descending;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        ascending += static_cast<char>(byte);
        descending.insert(descending.begin(), static_cast<char>(byte));
    }
    all.push_back(ascending);
    all.push_back(ascending.substr(1));
    all.push_back(descending);
    all.push_back(descending + descending.substr(0, 1));
    // Six or more of the folded pair, once on the character boundaries and once shifted by
    // one byte (each pair then straddles two characters).
    std::string pairs;
    for (int i = 0; i < 7; ++i) {
        pairs += "\xB0\xA1";
    }
    all.push_back(pairs + "\xB0\xA1{2}\xC4");
    all.push_back("\x81" + pairs + "\xC4");
    return all;
}

struct Command {
    const char* name;
    std::function<AnsiText(std::string_view)> run;
    // The text the user typed for the fold when it holds high bytes: it may split a character
    // of the pattern, and its own repeats are meant to go.
    std::string_view userText;
};

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"replaceLineBreaks", [](std::string_view p) { return replaceLineBreaks(p); }, {}},
        {"replaceBlanks", [](std::string_view p) { return replaceBlanks(p); }, {}},
        {"replaceQuotes", [](std::string_view p) { return replaceQuotes(p); }, {}},
        {"escapeMetachars", [](std::string_view p) { return escapeMetachars(p); }, {}},
        {"collapseEscapes s", [](std::string_view p) { return collapseEscapes(p, "s"); }, {}},
        {"collapseEscapes d", [](std::string_view p) { return collapseEscapes(p, "d"); }, {}},
        {"smartOptimise s", [](std::string_view p) { return smartOptimise(p, "s"); }, {}},
        {"generaliseChars", [](std::string_view p) { return generaliseChars(p); }, {}},
        {"foldRepeats 1", [](std::string_view p) { return foldRepeats(p, "1"); }, {}},
        {"foldRepeats \\s", [](std::string_view p) { return foldRepeats(p, "\\s"); }, {}},
        {"foldRepeats lone lead", [](std::string_view p) { return foldRepeats(p, "\x81"); },
         "\x81"},
        {"foldRepeats high byte pair",
         [](std::string_view p) { return foldRepeats(p, "\xB0\xA1"); }, "\xB0\xA1"},
    };
    return all;
}

TEST(CommandBytes, TwoByteCharactersSurviveEveryCommand) {
    for (const std::string& pattern : patterns()) {
        const std::vector<std::string> before = twoByteCharacters(pattern);
        for (const Command& command : commands()) {
            const AnsiText after = command.run(pattern);
            ASSERT_FALSE(after.empty())
                << command.name << " emptied " << ::testing::PrintToString(pattern);
            if (!command.userText.empty()) {
                // The bytes other than those of the folded text all stay, in order.
                ASSERT_TRUE(inOrderWithin(highBytes(pattern, command.userText),
                                          highBytes(after, command.userText)))
                    << command.name << " lost bytes of " << ::testing::PrintToString(pattern)
                    << ": " << ::testing::PrintToString(after);
            } else {
                ASSERT_TRUE(inOrderWithin(before, twoByteCharacters(after)))
                    << command.name << " split or lost a character of "
                    << ::testing::PrintToString(pattern) << ": " << ::testing::PrintToString(after);
            }
        }
    }
}

// The rewrites that change single characters only leave a pattern without any alone.
TEST(CommandBytes, HighBytesOnlyComeBackUnchanged) {
    for (const std::string& pattern : patterns()) {
        if (highBytes(pattern).size() != pattern.size()) {
            continue;
        }
        for (const Command& command : commands()) {
            if (!command.userText.empty()) {
                continue;
            }
            EXPECT_EQ(command.run(pattern), pattern)
                << command.name << " on " << ::testing::PrintToString(pattern);
        }
    }
}

} // namespace
} // namespace vexlo
