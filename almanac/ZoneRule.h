#pragma once
// Whose civil days the lunisolar calendar counts: the hours east of Greenwich
// to add to a moment of UT (a new moon, a principal term, a winter solstice)
// to make it local civil time.
namespace almanac {

// Start of Korean standard time at UTC+9: 1912-01-01 00:00 at UTC+8, as a
// Julian day of UT.
inline constexpr double kKoreanZoneChangeJdUt = 2419402.0 + 1.0 / 6.0;

class ZoneRule {
public:
    // A fixed zone in hours (converts from a plain double).
    ZoneRule(double hours) : hours_(hours) {}
    // The Korean rule: 8 h for moments before kKoreanZoneChangeJdUt, 9 h from
    // then on. It follows the moment, not the date being converted.
    static ZoneRule Korean();

    bool IsKorean() const { return korean_; }
    // Hours east of Greenwich in force at a moment of UT.
    double HoursAt(double jd_ut) const;
    // The local civil Julian day of a moment of UT.
    double ToLocal(double jd_ut) const { return jd_ut + HoursAt(jd_ut) / 24.0; }

private:
    double hours_ = 9.0;
    bool korean_ = false;
};

}  // namespace almanac
