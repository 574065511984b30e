#pragma once
/* The records exchanged with the orbit solver library. Both are consecutive
 * doubles with no gaps: the byte offsets are the interface between the
 * program and the library and must never move, including the element angles
 * the library does not read. Angles of the elements are degrees, times are
 * Julian days on the caller's scale (Terrestrial Time), v is the true anomaly
 * in radians (-pi..pi) and r the radius vector in AU. */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct KeplerCometBlock {
    double T_jd;        /* time of perihelion passage */
    double q_au;        /* perihelion distance */
    double e;           /* eccentricity */
    double omega_deg;   /* argument of perihelion (not read) */
    double node_deg;    /* longitude of the ascending node (not read) */
    double incl_deg;    /* inclination (not read) */
    double t_jd;        /* the moment wanted */
    double v_rad;       /* out: true anomaly */
    double r_au;        /* out: radius vector */
} KeplerCometBlock;

typedef struct KeplerAsteroidBlock {
    double M0_deg;      /* mean anomaly at the epoch */
    double omega_deg;   /* argument of perihelion (not read) */
    double node_deg;    /* longitude of the ascending node (not read) */
    double incl_deg;    /* inclination (not read) */
    double e;           /* eccentricity */
    double a_au;        /* semi-major axis */
    double epoch_jd;    /* epoch of the elements */
    double t_jd;        /* the moment wanted */
    double v_rad;       /* out: true anomaly */
    double r_au;        /* out: radius vector */
} KeplerAsteroidBlock;

/* Always returns 0; v and r are 0 when e is not a number. */
int32_t KeplerComet(KeplerCometBlock* block);
/* Returns 1 (v = r = 0) when e is not below 1 or not a number, else 0. */
int32_t KeplerAsteroid(KeplerAsteroidBlock* block);

typedef int32_t (*KeplerCometFn)(KeplerCometBlock*);
typedef int32_t (*KeplerAsteroidFn)(KeplerAsteroidBlock*);

#ifdef __cplusplus
}  /* extern "C" */

static_assert(sizeof(KeplerCometBlock) == 72);
static_assert(offsetof(KeplerCometBlock, T_jd) == 0);
static_assert(offsetof(KeplerCometBlock, q_au) == 8);
static_assert(offsetof(KeplerCometBlock, e) == 16);
static_assert(offsetof(KeplerCometBlock, omega_deg) == 24);
static_assert(offsetof(KeplerCometBlock, node_deg) == 32);
static_assert(offsetof(KeplerCometBlock, incl_deg) == 40);
static_assert(offsetof(KeplerCometBlock, t_jd) == 48);
static_assert(offsetof(KeplerCometBlock, v_rad) == 56);
static_assert(offsetof(KeplerCometBlock, r_au) == 64);

static_assert(sizeof(KeplerAsteroidBlock) == 80);
static_assert(offsetof(KeplerAsteroidBlock, M0_deg) == 0);
static_assert(offsetof(KeplerAsteroidBlock, omega_deg) == 8);
static_assert(offsetof(KeplerAsteroidBlock, node_deg) == 16);
static_assert(offsetof(KeplerAsteroidBlock, incl_deg) == 24);
static_assert(offsetof(KeplerAsteroidBlock, e) == 32);
static_assert(offsetof(KeplerAsteroidBlock, a_au) == 40);
static_assert(offsetof(KeplerAsteroidBlock, epoch_jd) == 48);
static_assert(offsetof(KeplerAsteroidBlock, t_jd) == 56);
static_assert(offsetof(KeplerAsteroidBlock, v_rad) == 64);
static_assert(offsetof(KeplerAsteroidBlock, r_au) == 72);
#endif
