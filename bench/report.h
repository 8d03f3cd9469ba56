// The benchmark's figures: samples per scenario and figure, summarised as median, min and max,
// printed as a human table and written as one JSON object per figure per line.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vexlo::bench {

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
};

/// Median, min and max of values; nullopt for no values.
std::optional<Summary> summarise(std::vector<double> values);

/// A goal a figure is held against: at most limit.
struct Target {
    std::string scenario;
    std::string figure;
    double limit = 0;
    std::string why; // what the goal stands for, e.g. "<= 1.3 x rg"
};

class Report {
  public:
    /// Adds one sample of figure for scenario; scenarios and figures keep the order they
    /// first appear in.
    void add(const std::string& scenario, const std::string& figure, double value);
    /// Sets a figure's summary outright (a ratio of medians, with paired min and max).
    void set(const std::string& scenario, const std::string& figure, Summary summary);
    /// A figure's summary; nullopt when it has no samples.
    std::optional<Summary> summary(const std::string& scenario, const std::string& figure) const;
    /// A note printed under the scenario's block (a skipped peer, a wrong count).
    void note(const std::string& scenario, const std::string& text);

    /// One block per scenario: figure, median, min, max, and the target with ok or MISS.
    void print(std::FILE* out, const std::vector<Target>& targets) const;
    /// One JSON object per figure per line. False when the file cannot be written.
    bool writeJson(const std::string& path) const;

  private:
    struct Figure {
        std::string scenario;
        std::string name;
        std::vector<double> values;
        std::optional<Summary> fixed;
    };
    Figure& figure(const std::string& scenario, const std::string& name);
    const Figure* find(const std::string& scenario, const std::string& name) const;

    std::vector<std::string> scenarios_;
    std::vector<Figure> figures_;
    std::vector<std::pair<std::string, std::string>> notes_; // scenario, text
};

} // namespace vexlo::bench
