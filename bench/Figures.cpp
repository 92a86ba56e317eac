#include "Figures.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace bench {

namespace {

struct Measured {
    FigureTarget figure;
    std::vector<double> values;
};

// In the order the figures were first reported.
std::vector<Measured>& MeasuredFigures() {
    static std::vector<Measured> figures;
    return figures;
}

std::vector<Comparison>& ComparisonList() {
    static std::vector<Comparison> comparisons;
    return comparisons;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool Holds(const FigureTarget& figure, double value) {
    return figure.bound == Bound::AtMost ? value <= figure.target : value >= figure.target;
}

}  // namespace

void ReportFigure(const FigureTarget& figure, double value) {
    std::vector<Measured>& figures = MeasuredFigures();
    auto found = std::find_if(figures.begin(), figures.end(),
                              [&](const Measured& m) { return m.figure.name == figure.name; });
    if (found == figures.end()) {
        figures.push_back({figure, {}});
        found = figures.end() - 1;
    }
    found->values.push_back(value);
}

void CompareCases(const std::string& numerator, const std::string& denominator, double target) {
    ComparisonList().push_back({numerator, denominator, target});
}

const std::vector<Comparison>& Comparisons() {
    return ComparisonList();
}

int PrintFigures() {
    int missed = 0;
    if (!MeasuredFigures().empty()) {
        std::printf("\nFigures (median of the values measured):\n");
    }
    for (const Measured& measured : MeasuredFigures()) {
        const FigureTarget& figure = measured.figure;
        const double value = Median(measured.values);
        std::printf("%-52s %12.3f %-8s", figure.name.c_str(), value, figure.unit.c_str());
        if (figure.target > 0) {
            const bool holds = Holds(figure, value);
            missed += holds ? 0 : 1;
            std::printf("  target %s %g  %s",
                        figure.bound == Bound::AtMost ? "<=" : ">=", figure.target,
                        holds ? "ok" : "MISSED");
        }
        std::printf("  (%zu value%s)\n", measured.values.size(),
                    measured.values.size() == 1 ? "" : "s");
    }
    std::fflush(stdout);
    return missed;
}

}  // namespace bench
