// Character classes: members are collected as ranges, then written as one PCRE2 class, or,
// when \w or \W must not take part in PCRE2's case folding, as a class and a CASELESS-free
// class joined by an alternation or a lookahead.
#include "regex/char_class.h"

#include "regex/escapes.h"

namespace vexlo {
namespace {

using namespace escapes;
using Kind = CompileError::Kind;

struct ClassAtom {
    const Ranges* set = nullptr; // a set escape; else the character ch
    bool negated = false;
    char16_t ch = 0;
};

bool readAtom(std::u16string_view p, std::size_t& j, ClassAtom& atom, CompileError& error) {
    atom = {};
    if (p[j] != u'\\') {
        atom.ch = p[j++];
        return true;
    }
    std::size_t k = j + 1;
    if (k >= p.size()) {
        error = {Kind::trailingBackslash, int(j)};
        return false;
    }
    const char16_t c = p[k];
    if (setOfEscape(c, atom.set, atom.negated)) {
        j = k + 1;
    } else if (c == u'b') {
        atom.ch = 0x08;
        j = k + 1;
    } else if (isOctal(c)) {
        atom.ch = octalEscape(p, k);
        j = k;
    } else {
        atom.ch = characterEscape(p, k);
        j = k;
    }
    return true;
}

struct Members {
    Ranges folding; // takes part in case folding
    Ranges strict;  // \w and \W under ignore-case: ASCII as written

    void add(const ClassAtom& atom, bool ignoreCase) {
        if (!atom.set) {
            folding.push_back({atom.ch, atom.ch});
            return;
        }
        const Ranges ranges = atom.negated ? complement(*atom.set) : *atom.set;
        Ranges& into = ignoreCase && atom.set == &wordSet() ? strict : folding;
        into.insert(into.end(), ranges.begin(), ranges.end());
    }
};

void write(const Members& m, bool negated, std::u16string& out) {
    if (m.strict.empty()) {
        appendClass(out, m.folding, negated);
        return;
    }
    if (m.folding.empty()) {
        appendAscii(out, "(?-i:");
        appendClass(out, m.strict, negated);
        out += u')';
        return;
    }
    if (!negated) {
        appendAscii(out, "(?:");
        appendClass(out, m.folding, false);
        appendAscii(out, "|(?-i:");
        appendClass(out, m.strict, false);
        appendAscii(out, "))");
    } else {
        appendAscii(out, "(?:(?!(?-i:");
        appendClass(out, m.strict, false);
        appendAscii(out, "))");
        appendClass(out, m.folding, true);
        out += u')';
    }
}

} // namespace

bool translateClass(std::u16string_view p, std::size_t& i, bool ignoreCase, std::u16string& out,
                    CompileError& error) {
    const std::size_t start = i;
    std::size_t j = i + 1;
    bool negated = false;
    if (j < p.size() && p[j] == u'^') {
        negated = true;
        ++j;
    }
    Members members;
    bool first = true;
    for (;;) {
        if (j >= p.size()) {
            error = {Kind::unterminatedClass, int(start)};
            return false;
        }
        if (p[j] == u']' && !first)
            break;
        first = false;
        const std::size_t atomStart = j;
        ClassAtom a;
        if (!readAtom(p, j, a, error))
            return false;
        if (j + 1 < p.size() && p[j] == u'-' && p[j + 1] != u']') {
            ++j;
            ClassAtom b;
            if (!readAtom(p, j, b, error))
                return false;
            if (a.set || b.set) {
                members.add(a, ignoreCase);
                members.add(ClassAtom{nullptr, false, u'-'}, ignoreCase);
                members.add(b, ignoreCase);
            } else if (a.ch > b.ch) {
                error = {Kind::badRange, int(atomStart)};
                return false;
            } else {
                members.folding.push_back({a.ch, b.ch});
            }
        } else {
            members.add(a, ignoreCase);
        }
    }
    write(members, negated, out);
    i = j + 1;
    return true;
}

} // namespace vexlo
