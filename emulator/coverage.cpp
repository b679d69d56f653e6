// SPDX-License-Identifier: MIT
#include "coverage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace ovaline::emu {

Coverage::Coverage(PixelBox window)
    : window_(window), stride_(std::max(0, window.x1 - window.x0)),
      values_(window.empty() ? 0 : static_cast<std::size_t>(stride_) * (window.y1 - window.y0),
              0.0f) {}

float Coverage::at(int x, int y) const {
    const std::size_t i = static_cast<std::size_t>(y - window_.y0) * stride_ + (x - window_.x0);
    return std::min(values_[i], 1.0f);
}

float &Coverage::cell(int x, int y) {
    return values_[static_cast<std::size_t>(y - window_.y0) * stride_ + (x - window_.x0)];
}

void Coverage::addRect(double x0, double y0, double x1, double y1) {
    const int ya = std::max(window_.y0, static_cast<int>(std::floor(y0)));
    const int yb = std::min(window_.y1, static_cast<int>(std::ceil(y1)));
    for (int y = ya; y < yb; ++y) {
        const double rowPart = std::min(y + 1.0, y1) - std::max(static_cast<double>(y), y0);
        if (rowPart > 0.0) {
            addSpan(y, x0, x1, static_cast<float>(rowPart));
        }
    }
}

void Coverage::addSpan(int y, double xa, double xb, float weight) {
    xa = std::max(xa, static_cast<double>(window_.x0));
    xb = std::min(xb, static_cast<double>(window_.x1));
    if (xa >= xb) {
        return;
    }
    const int first = static_cast<int>(std::floor(xa));
    const int last = static_cast<int>(std::ceil(xb)) - 1;
    if (first == last) {
        cell(first, y) += weight * static_cast<float>(xb - xa);
        return;
    }
    cell(first, y) += weight * static_cast<float>(first + 1 - xa);
    for (int x = first + 1; x < last; ++x) {
        cell(x, y) += weight;
    }
    cell(last, y) += weight * static_cast<float>(xb - last);
}

void Coverage::addCapsule(Point a, Point b, double halfWidth) {
    // A pixel centre farther than `reach` from the segment gets nothing.
    const double reach = halfWidth + 0.5;
    const double ex = b.x - a.x;
    const double ey = b.y - a.y;
    const double length2 = ex * ex + ey * ey;
    const int ya = std::max(window_.y0, static_cast<int>(std::floor(std::min(a.y, b.y) - reach)));
    const int yb = std::min(window_.y1, static_cast<int>(std::ceil(std::max(a.y, b.y) + reach)));
    for (int y = ya; y < yb; ++y) {
        const double cy = y + 0.5;
        // Only segment points within reach of this row matter; bound x by them.
        double t0 = 0.0;
        double t1 = 1.0;
        if (std::abs(ey) > 1e-9) {
            t0 = (cy - reach - a.y) / ey;
            t1 = (cy + reach - a.y) / ey;
            if (t0 > t1) {
                std::swap(t0, t1);
            }
            t0 = std::max(t0, 0.0);
            t1 = std::min(t1, 1.0);
            if (t0 > t1) {
                continue;
            }
        } else if (std::abs(cy - a.y) > reach) {
            continue;
        }
        const double xa = a.x + t0 * ex;
        const double xb = a.x + t1 * ex;
        const int xFirst =
            std::max(window_.x0, static_cast<int>(std::floor(std::min(xa, xb) - reach)));
        const int xEnd =
            std::min(window_.x1, static_cast<int>(std::ceil(std::max(xa, xb) + reach)));
        for (int x = xFirst; x < xEnd; ++x) {
            const double cx = x + 0.5;
            const double t =
                length2 > 0.0 ? std::clamp(((cx - a.x) * ex + (cy - a.y) * ey) / length2, 0.0, 1.0)
                              : 0.0;
            const double distance = std::hypot(cx - (a.x + t * ex), cy - (a.y + t * ey));
            const float covered = static_cast<float>(std::min(1.0, reach - distance));
            float &value = cell(x, y);
            value = std::max(value, covered);
        }
    }
}

void Coverage::addPolygon(std::span<const Point> points) {
    constexpr int kSubRows = 4;
    constexpr float kSubWeight = 1.0f / kSubRows;
    if (points.size() < 3) {
        return;
    }
    double top = points[0].y;
    double bottom = points[0].y;
    for (const Point &p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int ya = std::max(window_.y0, static_cast<int>(std::floor(top)));
    const int yb = std::min(window_.y1, static_cast<int>(std::ceil(bottom)));
    std::vector<double> crossings;
    for (int y = ya; y < yb; ++y) {
        for (int sub = 0; sub < kSubRows; ++sub) {
            const double sy = y + (sub + 0.5) / kSubRows;
            crossings.clear();
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const Point &p = points[j];
                const Point &q = points[i];
                if ((p.y <= sy) != (q.y <= sy)) {
                    crossings.push_back(p.x + (sy - p.y) * (q.x - p.x) / (q.y - p.y));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
                addSpan(y, crossings[k], crossings[k + 1], kSubWeight);
            }
        }
    }
}

} // namespace ovaline::emu
