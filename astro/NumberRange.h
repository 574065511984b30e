#pragma once
// Guards for numbers that may come from a file a user hands the program:
// the one checked conversion from floating point to int, and the step count
// of a walk over a range, so that no value (huge, tiny, NaN) can make a
// conversion undefined or a loop endless.
#include <cmath>
#include <limits>

namespace astro {

// `value`, already rounded or floored by the caller, as an int clamped to
// [low, high]; NaN gives `fallback`. The clamp happens in floating point, so
// a value beyond the range of int never reaches the conversion.
inline int ClampedInt(double value, int low, int high, int fallback) {
    if (std::isnan(value)) return fallback;
    if (value <= low) return low;
    if (value >= high) return high;
    return static_cast<int>(value);
}

// The number of points from, from + step, from + 2 step, ... that do not
// pass `to`, computed as from + i * step exactly like a walk would. Zero when
// the range is empty, any input is not finite, the step is not positive, or
// the walk would take more than `cap` points: such a range (a step lost
// against a huge start value) comes only from damaged input, and the caller
// then draws nothing rather than `cap` points of one place.
inline int CountSteps(double from, double to, double step, int cap) {
    if (!(step > 0) || !std::isfinite(from) || !std::isfinite(to) || !std::isfinite(step) || from > to || cap <= 0) {
        return 0;
    }
    const double estimate = std::floor((to - from) / step) + 1;
    if (!(estimate <= cap + 1.0)) return 0;
    int n = static_cast<int>(estimate);
    // The estimate can be off by one against the point-by-point test.
    while (n > 0 && from + (n - 1) * step > to) --n;
    while (n <= cap && !(from + n * step > to)) ++n;
    return n > cap ? 0 : n;
}

}  // namespace astro
