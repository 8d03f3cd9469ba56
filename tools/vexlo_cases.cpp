// vexlo-cases CASEFILE [--no-jit]: runs the pattern engine, below RegexMatcher, over every case
// of a case file and prints one JSON line per case on standard output, so new cases can be
// checked without recompiling. Malformed lines are reported on standard error (exit code 1).
#include "tools/case_file.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const char* path = nullptr;
    bool jit = true;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--no-jit") == 0)
            jit = false;
        else if (!path)
            path = argv[k];
    }
    if (!path) {
        std::cerr << "usage: vexlo-cases CASEFILE [--no-jit]\n";
        return 2;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "vexlo-cases: cannot read " << path << "\n";
        return 2;
    }
    int status = 0;
    int lineNo = 0;
    std::string line, error;
    while (std::getline(in, line)) {
        ++lineNo;
        auto c = vexlo::cases::parseLine(line, error);
        if (!c)
            continue;
        if (!error.empty()) {
            std::cerr << path << ":" << lineNo << ": " << error << "\n";
            status = 1;
            continue;
        }
        c->options.useJit = jit;
        std::cout << vexlo::cases::toJson(c->id, vexlo::cases::runCase(*c)) << "\n";
    }
    return status;
}
