// The pattern translator: one left-to-right pass over the engine's pattern that writes the
// PCRE2 equivalent as it goes. Iterative (a stack of open groups), so deep nesting cannot
// exhaust the call stack.
#include "regex/translate.h"

#include "regex/char_class.h"
#include "regex/escapes.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vexlo {
namespace {

using namespace escapes;
using Kind = CompileError::Kind;

constexpr int kMaxCount = 65535; // the engine's largest repeat count
constexpr int kWideRepeat = 16;  // a {n,m} wider than this is watched like * and +

// What the output ended with, for the quantifier rules.
enum class Last { nothing, atom, assertion, quantifier };

class Translator {
public:
    Translator(std::u16string_view pattern, RegexOptions options, bool callouts)
        : p_(pattern), options_(options), callouts_(callouts) {}

    Translation run();

private:
    bool failed() const { return result_.error.kind != Kind::none; }
    void fail(Kind kind, std::size_t offset) {
        if (!failed())
            result_.error = {kind, int(offset)};
    }
    char16_t at(std::size_t i) const { return i < p_.size() ? p_[i] : char16_t(0); }
    bool has(std::size_t i) const { return i < p_.size(); }

    void openGroup();
    void closeGroup();
    void quantifier(std::size_t length);
    bool readBraces(std::size_t& i, int& min, int& max) const;
    void escape();
    void characterClass();
    void appendSet(const Ranges& set, bool negated);
    void appendWordBoundary(bool negated);
    void atom() {
        last_ = Last::atom;
        atomStart_ = itemStart_;
    }

    std::u16string_view p_;
    RegexOptions options_;
    bool callouts_;
    std::size_t i_ = 0;
    Last last_ = Last::nothing;
    struct OpenGroup {
        std::size_t patternOffset;
        std::size_t outputOffset;
    };
    std::vector<OpenGroup> open_; // the groups still open
    std::size_t itemStart_ = 0;   // output offset where the item being read began
    std::size_t atomStart_ = 0;   // output offset of the last atom
    Translation result_;
    std::u16string& out_ = result_.pattern;
};

Translation Translator::run() {
    while (has(i_) && !failed()) {
        const char16_t c = p_[i_];
        itemStart_ = out_.size();
        switch (c) {
        case u'(':
            openGroup();
            break;
        case u')':
            closeGroup();
            break;
        case u'|':
            out_ += u'|';
            last_ = Last::nothing;
            ++i_;
            break;
        case u'*':
        case u'+':
        case u'?':
            quantifier(1);
            break;
        case u'{': {
            std::size_t end = i_;
            int min = 0, max = 0;
            if (readBraces(end, min, max)) {
                quantifier(end - i_);
            } else {
                appendLiteral(out_, c);
                atom();
                ++i_;
            }
            break;
        }
        case u'^':
            appendAscii(out_, options_.multiline ? "(?<![^\\n\\r])" : "\\A");
            last_ = Last::assertion;
            ++i_;
            break;
        case u'$':
            appendAscii(out_, options_.multiline ? "(?![^\\n\\r])" : "\\z");
            last_ = Last::assertion;
            ++i_;
            break;
        case u'.':
            appendAscii(out_, "[^\\n]");
            atom();
            ++i_;
            break;
        case u'[':
            characterClass();
            break;
        case u'\\':
            escape();
            break;
        default:
            appendLiteral(out_, c);
            atom();
            ++i_;
            break;
        }
    }
    if (!failed() && !open_.empty())
        fail(Kind::unbalancedParenthesis, open_.back().patternOffset);
    if (failed()) {
        result_.pattern.clear();
        result_.groupCount = 0;
    }
    return std::move(result_);
}

void Translator::openGroup() {
    const std::size_t start = i_;
    const char16_t next = at(i_ + 2);
    if (at(i_ + 1) == u'*' && has(i_ + 2) && ((next >= u'A' && next <= u'Z') || next == u':')) {
        fail(Kind::unsupportedSyntax, start); // a PCRE verb such as (*ACCEPT)
        return;
    }
    if (at(i_ + 1) == u'?') {
        const char16_t kind = at(i_ + 2);
        if (kind != u':' && kind != u'=' && kind != u'!') {
            // (?<= (?<! (?<n> (?P (?i) (?> (?# ... are not the engine's syntax.
            fail(Kind::unsupportedSyntax, start);
            return;
        }
        out_ += u"(?";
        out_ += kind;
        i_ += 3;
    } else {
        out_ += u'(';
        ++result_.groupCount;
        ++i_;
    }
    open_.push_back({start, itemStart_});
    last_ = Last::nothing;
}

void Translator::closeGroup() {
    if (open_.empty()) {
        fail(Kind::unbalancedParenthesis, i_);
        return;
    }
    itemStart_ = open_.back().outputOffset;
    open_.pop_back();
    out_ += u')';
    // A group, and as the engine allows also a lookahead, may be repeated.
    atom();
    ++i_;
}

/// The quantifier * + ? or a valid {...} of the given length at i_, with an optional lazy ?.
void Translator::quantifier(std::size_t length) {
    if (last_ != Last::atom) {
        fail(Kind::nothingToRepeat, i_);
        return;
    }
    bool openEnded = false; // unbounded, or a wide {n,m}
    if (length == 1) {
        out_ += p_[i_];
    } else {
        std::size_t end = i_;
        int min = 0, max = 0;
        readBraces(end, min, max);
        if (min > kMaxCount || max > kMaxCount || (max >= 0 && max < min)) {
            fail(Kind::badQuantifier, i_);
            return;
        }
        out_ += u'{';
        appendNumber(out_, min);
        if (max != min) {
            out_ += u',';
            if (max >= 0)
                appendNumber(out_, max);
        }
        out_ += u'}';
        openEnded = max < 0 || max - min > kWideRepeat;
    }
    if (callouts_ && (length == 1 ? p_[i_] != u'?' : openEnded)) {
        // Where backtracking can grow with the subject: let the matcher look at its clock.
        out_.insert(atomStart_, u"(?C2)");
    }
    i_ += length;
    if (at(i_) == u'?' && has(i_)) {
        out_ += u'?';
        ++i_;
    }
    last_ = Last::quantifier;
}

/// Reads {n}, {n,} or {n,m} at i (which holds the brace); on success i is past the closing
/// brace, max is -1 for no upper bound and counts saturate just above kMaxCount.
bool Translator::readBraces(std::size_t& i, int& min, int& max) const {
    std::size_t j = i + 1;
    auto number = [&](int& value) {
        const std::size_t start = j;
        value = 0;
        while (isDigit(at(j)) && has(j)) {
            value = std::min(value * 10 + (p_[j] - u'0'), kMaxCount + 1);
            ++j;
        }
        return j > start;
    };
    if (!number(min))
        return false;
    max = min;
    if (at(j) == u',' && has(j)) {
        ++j;
        if (!number(max))
            max = -1;
    }
    if (at(j) != u'}' || !has(j))
        return false;
    i = j + 1;
    return true;
}

void Translator::escape() {
    const std::size_t start = i_;
    if (!has(i_ + 1)) {
        fail(Kind::trailingBackslash, start);
        return;
    }
    std::size_t i = i_ + 1;
    const char16_t c = p_[i];
    if (c == u'b' || c == u'B') {
        appendWordBoundary(c == u'B');
        last_ = Last::assertion;
        i_ = i + 1;
        return;
    }
    const Ranges* set = nullptr;
    bool negated = false;
    if (setOfEscape(c, set, negated)) {
        appendSet(*set, negated);
        i_ = i + 1;
        atom();
        return;
    }
    if (isDigit(c) && c != u'0') {
        // \nm is a back-reference when that many groups precede it, else \n followed by the
        // digit m when n groups do; else octal (8 and 9 stand for themselves).
        const int groups = result_.groupCount;
        const int one = c - u'0';
        const bool twoDigits = has(i + 1) && isDigit(p_[i + 1]);
        const int two = twoDigits ? one * 10 + (p_[i + 1] - u'0') : 0;
        int ref = 0;
        if (twoDigits && two <= groups) {
            ref = two;
            i += 2;
        } else if (one <= groups) {
            ref = one;
            i += 1;
        }
        if (ref > 0) {
            appendAscii(out_, "\\g{");
            appendNumber(out_, ref);
            out_ += u'}';
            i_ = i;
            atom();
            return;
        }
    }
    char16_t value;
    if (isOctal(c))
        value = octalEscape(p_, i);
    else
        value = characterEscape(p_, i);
    appendLiteral(out_, value);
    i_ = i;
    atom();
}

/// \d \D \w \W \s \S outside a class. Only \w and \W hold letters that PCRE2's Unicode case
/// folding would widen (K to the Kelvin sign, S to the long s), so they leave CASELESS.
void Translator::appendSet(const Ranges& set, bool negated) {
    const bool strict = options_.ignoreCase && &set == &wordSet();
    if (strict)
        appendAscii(out_, "(?-i:");
    appendClass(out_, set, negated);
    if (strict)
        out_ += u')';
}

void Translator::characterClass() {
    if (translateClass(p_, i_, options_.ignoreCase, out_, result_.error))
        atom();
}

void Translator::appendWordBoundary(bool negated) {
    static constexpr std::string_view kW = "[0-9A-Z_a-z]";
    std::string s = options_.ignoreCase ? "(?-i:" : "(?:";
    const std::string w(kW);
    if (!negated)
        s += "(?<=" + w + ")(?!" + w + ")|(?<!" + w + ")(?=" + w + ")";
    else
        s += "(?<=" + w + ")(?=" + w + ")|(?<!" + w + ")(?!" + w + ")";
    s += ')';
    appendAscii(out_, s);
}

} // namespace

Translation translatePattern(std::u16string_view pattern, RegexOptions options,
                             bool calloutBeforeRepeats) {
    return Translator(pattern, options, calloutBeforeRepeats).run();
}

} // namespace vexlo
