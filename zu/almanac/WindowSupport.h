#pragma once
// Small pieces the almanac windows share: text conversion between the
// modules' UTF-8 and Qt, the site and zone in force, and floor modulo for
// day counts that may lie before Julian day 0.
#include <QString>

#include <cmath>
#include <string>

namespace zu {

inline QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string U(const QString& text) { return text.toUtf8().toStdString(); }

// The remainder of floor division, 0..m-1 also for negative n.
inline int FloorMod(double n, int m) {
    const double r = std::fmod(std::floor(n), static_cast<double>(m));
    return static_cast<int>(r < 0 ? r + m : r);
}

}  // namespace zu
