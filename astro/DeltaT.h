#pragma once
// Delta T (TT - UT) and the mean obliquity of the ecliptic.
namespace astro {

// Delta T in seconds for a Julian day of Universal Time, from the polynomial
// expressions of Espenak and Meeus (NASA, Five Millennium Canon) on the
// decimal year Y + (M + D/30 - 0.5)/12, with the lunar-acceleration
// correction -0.238972928 ((y - 1955)/100)^2 added to every row.
double ComputedDeltaT(double jd_ut);
// The same for a decimal year y; each row of the table includes its first year.
double DeltaTForDecimalYear(double y);

// Where Delta T comes from: the computed value, or the user's fixed value.
struct DeltaTChoice {
    bool user_delta_t = false;   // settings key UserDeltaT
    double delta_t_s = 50.0;     // settings key DeltaT, seconds
};

// Julian ephemeris day (TT) of a Julian day of UT: jd_ut + Delta T / 86400.
// With the user's value chosen, exactly that value is added.
double JDToJDE(double jd_ut, const DeltaTChoice& choice);

// Mean obliquity of the ecliptic in degrees (Laskar's polynomial, Meeus 22.3).
double MeanObliquity(double jd);

}  // namespace astro
