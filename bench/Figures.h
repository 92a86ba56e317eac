#pragma once
// What a program measures besides its ratios to memcpy: figures with a target of their own (a
// start-up time, a peak of memory, a speed-up) and the ratio of one case's time to another's.
// The ratio table prints them at the end, each with its target and whether it holds.

#include <string>
#include <vector>

namespace bench {

// Whether the target is an upper or a lower bound of the figure.
enum class Bound { AtMost, AtLeast };

struct FigureTarget {
    std::string name;
    std::string unit;
    double target = 0;  // 0: printed without a target
    Bound bound = Bound::AtMost;
};

// Records one measured value; a figure reported several times (once per repetition) is
// printed as the median of its values.
void ReportFigure(const FigureTarget& figure, double value);

// The time of case `numerator` divided by the time of case `denominator`, both of this run,
// must stay at most `target`.
void CompareCases(const std::string& numerator, const std::string& denominator, double target);

struct Comparison {
    std::string numerator;
    std::string denominator;
    double target = 0;
};
const std::vector<Comparison>& Comparisons();

// Prints every reported figure; the number of figures that miss their target.
int PrintFigures();

}  // namespace bench
