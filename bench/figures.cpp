#include "figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

double median(std::vector<double> values) { return percentile(std::move(values), 50); }

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(p / 100 * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

void printTable(const std::vector<Figure>& figures) {
    std::printf("%-48s %-12s %4s %11s %11s\n", "figure", "goal", "n", "median", "p95");
    for (const Figure& f : figures) {
        const std::string unit = f.unit.empty() ? "" : " " + f.unit;
        char med[32] = "-", p95[32] = "-";
        if (!f.values.empty())
            std::snprintf(med, sizeof med, "%.2f%s", median(f.values), unit.c_str());
        if (f.values.size() > 1)
            std::snprintf(p95, sizeof p95, "%.2f%s", percentile(f.values, 95), unit.c_str());
        std::printf("%-48s %-12s %4zu %11s %11s\n", f.name.c_str(), f.goal.c_str(), f.values.size(),
                    med, p95);
    }
}

}  // namespace bench
