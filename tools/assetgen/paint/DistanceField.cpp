#include "DistanceField.h"

#include <cstddef>
#include <limits>

namespace assetpaint {

namespace {

constexpr double kFar = 1e12;

double Apex(const std::vector<double>& f, size_t q, size_t v) {
    const auto dq = static_cast<double>(q);
    const auto dv = static_cast<double>(v);
    return ((f[q] + dq * dq) - (f[v] + dv * dv)) / (2.0 * dq - 2.0 * dv);
}

// One dimension: d[q] = min over v of (q - v)^2 + f[v], by the lower envelope of parabolas.
void Envelope(const std::vector<double>& f, std::vector<double>& d) {
    const size_t n = f.size();
    std::vector<size_t> vertex(n);
    std::vector<double> bound(n + 1);
    size_t k = 0;
    bound[0] = -std::numeric_limits<double>::infinity();
    bound[1] = std::numeric_limits<double>::infinity();
    for (size_t q = 1; q < n; ++q) {
        double s = Apex(f, q, vertex[k]);
        while (s <= bound[k]) {
            --k;
            s = Apex(f, q, vertex[k]);
        }
        ++k;
        vertex[k] = q;
        bound[k] = s;
        bound[k + 1] = std::numeric_limits<double>::infinity();
    }
    k = 0;
    for (size_t q = 0; q < n; ++q) {
        while (bound[k + 1] < static_cast<double>(q)) {
            ++k;
        }
        const double offset = static_cast<double>(q) - static_cast<double>(vertex[k]);
        d[q] = offset * offset + f[vertex[k]];
    }
}

}  // namespace

std::vector<float> SquaredDistances(const std::vector<uint8_t>& cells, int32_t width,
                                    int32_t height) {
    std::vector<double> grid(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        grid[i] = cells[i] != 0 ? 0.0 : kFar;
    }
    const auto w = static_cast<size_t>(width);
    const auto h = static_cast<size_t>(height);
    std::vector<double> line(h);
    std::vector<double> result(h);
    for (size_t x = 0; x < w; ++x) {
        for (size_t y = 0; y < h; ++y) {
            line[y] = grid[y * w + x];
        }
        Envelope(line, result);
        for (size_t y = 0; y < h; ++y) {
            grid[y * w + x] = result[y];
        }
    }
    line.resize(w);
    result.resize(w);
    for (size_t y = 0; y < h; ++y) {
        for (size_t x = 0; x < w; ++x) {
            line[x] = grid[y * w + x];
        }
        Envelope(line, result);
        for (size_t x = 0; x < w; ++x) {
            grid[y * w + x] = result[x];
        }
    }
    std::vector<float> distances(grid.size());
    for (size_t i = 0; i < grid.size(); ++i) {
        distances[i] = static_cast<float>(grid[i]);
    }
    return distances;
}

}  // namespace assetpaint
