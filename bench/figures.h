#pragma once

#include <string>
#include <vector>

namespace bench {

// One line of the table: a figure's goal and the values measured for it.
struct Figure {
    std::string name;
    std::string goal;
    std::string unit;
    std::vector<double> values;
};

double median(std::vector<double> values);
double percentile(std::vector<double> values, double p);  // nearest rank, p in [0, 100]

// Prints the figures with their count, median and 95th percentile (the median alone for a
// single value).
void printTable(const std::vector<Figure>& figures);

}  // namespace bench
