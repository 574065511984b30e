// The private copies of libnova's planetary series: each answers as the
// library's own, and threads that each hold a copy compute what one thread
// computes alone.
#include "astro/SeriesCopies.h"

#include <gtest/gtest.h>

#include <latch>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "astro/Plan404.h"
#include "astro/Planets.h"

namespace astro {
namespace {

constexpr int kBodies[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11};

// Each scope taken while the others live holds a copy of its own, until
// none is left; each answers as the library's own copy.
TEST(SeriesCopies, EveryCopyAnswersAsTheLibrary) {
    const int copies = InstallSeriesCopies();
    EXPECT_EQ(InstallSeriesCopies(), copies);
    EXPECT_EQ(SeriesCopyCount(), copies);
    ASSERT_GE(copies, 1);
    std::vector<PlanetData> expected;
    for (double jde = 2415020.5; jde < 2488070; jde += 7305.37) {
        for (int body : kBodies) {
            PlanetData d{jde, 0, 0, 0, body};
            ASSERT_EQ(Plan404(d), 0);
            expected.push_back(d);
        }
    }
    std::vector<std::unique_ptr<SeriesCopyScope>> scopes;
    std::set<int> held;
    for (int k = 1; k < copies; ++k) {
        scopes.push_back(std::make_unique<SeriesCopyScope>());
        ASSERT_TRUE(scopes.back()->Held()) << k;
        const int copy = scopes.back()->Copy();
        EXPECT_TRUE(held.insert(copy).second) << copy;
        EXPECT_GE(copy, 1);
        EXPECT_LT(copy, copies);
        ClearPlan404Cache();
        std::size_t i = 0;
        for (double jde = 2415020.5; jde < 2488070; jde += 7305.37) {
            for (int body : kBodies) {
                PlanetData d{jde, 0, 0, 0, body};
                ASSERT_EQ(Plan404(d), 0);
                EXPECT_EQ(d.L, expected[i].L) << copy << " " << body << " " << jde;
                EXPECT_EQ(d.B, expected[i].B) << copy << " " << body << " " << jde;
                EXPECT_EQ(d.R, expected[i].R) << copy << " " << body << " " << jde;
                ++i;
            }
        }
    }
    const SeriesCopyScope none_left;
    EXPECT_FALSE(none_left.Held());
    EXPECT_EQ(none_left.Copy(), 0);
    ClearPlan404Cache();
}

// Threads asking at once: each copy goes to one of them, the others get
// none; a copy given back serves the next thread that asks.
TEST(SeriesCopies, ACopyIsHeldByOneThreadAtATime) {
    const int copies = InstallSeriesCopies();
    const int threads = copies + 2;
    std::vector<int> taken(static_cast<std::size_t>(threads), -1);
    std::latch all_hold(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            const SeriesCopyScope scope;
            taken[static_cast<std::size_t>(t)] = scope.Copy();
            all_hold.arrive_and_wait();
        });
    }
    for (std::thread& worker : workers) worker.join();
    std::multiset<int> held(taken.begin(), taken.end());
    EXPECT_EQ(held.count(0), static_cast<std::size_t>(threads - (copies - 1)));
    for (int k = 1; k < copies; ++k) EXPECT_EQ(held.count(k), 1u) << k;

    std::vector<std::unique_ptr<SeriesCopyScope>> all;
    for (int k = 1; k < copies; ++k) all.push_back(std::make_unique<SeriesCopyScope>());
    if (all.empty()) return;
    const int given_back = all.front()->Copy();
    all.erase(all.begin());
    int next = -1;
    std::thread([&] { next = SeriesCopyScope().Copy(); }).join();
    EXPECT_EQ(next, given_back);
}

// More threads than copies, each moment asked by two of them: the threads
// left without a private copy share the library's own, and it, the
// private copies and the Moon's one series are each used by one thread at a
// time.
TEST(SeriesCopies, ThreadsComputeWhatOneThreadComputes) {
    const int copies = InstallSeriesCopies();
    SiteContext site;
    site.geocentric = false;
    constexpr int kMoments = 240;
    const auto moment = [](int i) { return 2451545.0 + 3.37 * i; };
    std::vector<PlanetTableT> expected(kMoments);
    for (int i = 0; i < kMoments; ++i) expected[i] = ComputePlanetTable(moment(i), site).table;

    const int threads = copies + 2;
    std::vector<std::vector<PlanetTableT>> computed(threads, std::vector<PlanetTableT>(kMoments));
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            const SeriesCopyScope scope;
            for (int i = 0; i < kMoments; ++i) {
                if (i % threads == t || (i + 1) % threads == t) computed[t][i] = ComputePlanetTable(moment(i), site).table;
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (int t = 0; t < threads; ++t) {
        for (int i = 0; i < kMoments; ++i) {
            if (i % threads != t && (i + 1) % threads != t) continue;
            for (int n = 0; n < kPlanetCount; ++n) {
                const PlanetRecord& a = computed[t][i][n];
                const PlanetRecord& b = expected[i][n];
                ASSERT_EQ(a.RA, b.RA) << t << " " << i << " " << n;
                ASSERT_EQ(a.Dec, b.Dec) << t << " " << i << " " << n;
                ASSERT_EQ(a.TopoRA, b.TopoRA) << t << " " << i << " " << n;
                ASSERT_EQ(a.Delta, b.Delta) << t << " " << i << " " << n;
                ASSERT_EQ(a.Mag, b.Mag) << t << " " << i << " " << n;
            }
        }
    }
}

}  // namespace
}  // namespace astro
