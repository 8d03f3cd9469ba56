// Summaries, the human table and the JSON lines of the benchmark's figures.
#include "bench/report.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace vexlo::bench {

namespace {

/// scenario names hold backslashes and quotes; figure names are plain.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (static_cast<unsigned char>(ch) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(ch));
            out += escaped;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

} // namespace

std::optional<Summary> summarise(std::vector<double> values) {
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return Summary{median, values.front(), values.back()};
}

Report::Figure& Report::figure(const std::string& scenario, const std::string& name) {
    for (Figure& f : figures_) {
        if (f.scenario == scenario && f.name == name)
            return f;
    }
    if (std::find(scenarios_.begin(), scenarios_.end(), scenario) == scenarios_.end())
        scenarios_.push_back(scenario);
    figures_.push_back(Figure{scenario, name, {}, std::nullopt});
    return figures_.back();
}

const Report::Figure* Report::find(const std::string& scenario, const std::string& name) const {
    for (const Figure& f : figures_) {
        if (f.scenario == scenario && f.name == name)
            return &f;
    }
    return nullptr;
}

void Report::add(const std::string& scenario, const std::string& figureName, double value) {
    figure(scenario, figureName).values.push_back(value);
}

void Report::set(const std::string& scenario, const std::string& figureName, Summary summary) {
    figure(scenario, figureName).fixed = summary;
}

std::optional<Summary> Report::summary(const std::string& scenario, const std::string& name) const {
    const Figure* f = find(scenario, name);
    if (!f)
        return std::nullopt;
    return f->fixed ? f->fixed : summarise(f->values);
}

void Report::note(const std::string& scenario, const std::string& text) {
    const std::pair<std::string, std::string> entry{scenario, text};
    if (std::find(notes_.begin(), notes_.end(), entry) == notes_.end())
        notes_.push_back(entry);
}

void Report::print(std::FILE* out, const std::vector<Target>& targets) const {
    for (const std::string& scenario : scenarios_) {
        std::fprintf(out, "\n%s\n  %-24s %12s %12s %12s   %s\n", scenario.c_str(), "figure",
                     "median", "min", "max", "target");
        for (const Figure& f : figures_) {
            if (f.scenario != scenario)
                continue;
            const std::optional<Summary> s = summary(f.scenario, f.name);
            if (!s)
                continue;
            std::string goal;
            for (const Target& t : targets) {
                if (t.scenario == scenario && t.figure == f.name) {
                    goal = (s->median <= t.limit ? "ok   " : "MISS ") + t.why;
                }
            }
            // Counts print as whole numbers, times and sizes with two decimals.
            const bool whole = s->median == std::floor(s->median) && s->min == std::floor(s->min) &&
                               s->max == std::floor(s->max);
            std::fprintf(out,
                         whole ? "  %-24s %12.0f %12.0f %12.0f   %s\n"
                               : "  %-24s %12.2f %12.2f %12.2f   %s\n",
                         f.name.c_str(), s->median, s->min, s->max, goal.c_str());
        }
        for (const auto& [where, text] : notes_) {
            if (where == scenario)
                std::fprintf(out, "  note: %s\n", text.c_str());
        }
    }
}

bool Report::writeJson(const std::string& path) const {
    std::ofstream file(path, std::ios::trunc);
    for (const Figure& f : figures_) {
        const std::optional<Summary> s = summary(f.scenario, f.name);
        if (!s)
            continue;
        file << "{\"scenario\":" << jsonString(f.scenario) << ",\"figure\":" << jsonString(f.name)
             << ",\"median\":" << number(s->median) << ",\"min\":" << number(s->min)
             << ",\"max\":" << number(s->max) << "}\n";
    }
    file.flush();
    return bool(file);
}

} // namespace vexlo::bench
