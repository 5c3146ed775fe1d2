// Random search cases for the brute-force comparisons: small stocks with
// close tooth counts and repeated gears; targets that trains hit exactly,
// near 1 and at random; absolute and relative tolerances; limits; no fit, the
// margin rule, or a banjo's geometry with the fit on or off.
#pragma once

#include "banjo.h"
#include "every_train.h"
#include "search.h"
#include "test_stock.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <vector>

struct RandomCase {
    double target = 0;
    Stock stock;
    EveryTrainOptions options;
};

class RandomCases {
  public:
    explicit RandomCases(std::uint32_t seed) : random_(seed) {}

    std::uint32_t Uniform(std::uint32_t low, std::uint32_t high) {
        return std::uniform_int_distribution<std::uint32_t>(low, high)(random_);
    }

    double Real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }

    // A banjo for tooth counts up to top: some trains mount on it, some do not.
    Banjo MakeBanjo(std::uint32_t top) {
        Banjo banjo;
        banjo.module = std::array<double, 5>{1, 1.25, 1.5, 2, 25.4 / 16}[Uniform(0, 4)];
        const double unit = banjo.module / 2;
        banjo.centreDistance = unit * Uniform(40, 4 * top);
        banjo.studMin = unit * Uniform(20, 2 * top);
        banjo.studMax = banjo.studMin + unit * Uniform(0, 2 * top);
        banjo.clearance = std::array<double, 4>{0, 1, 3, 5}[Uniform(0, 3)];
        if (Uniform(0, 2) == 0) {
            banjo.maxA = Uniform(16, top);
        }
        if (Uniform(0, 2) == 0) {
            banjo.maxLast = Uniform(16, top);
        }
        return banjo;
    }

    // Up to maxTeeth tooth counts from 16 to 30 or to 165.
    RandomCase Make(std::uint32_t maxTeeth) {
        RandomCase c;
        const std::uint32_t top = Uniform(0, 2) == 0 ? 30 : 165;
        std::vector<std::uint32_t> teeth;
        std::map<std::uint32_t, std::uint16_t> mult;
        for (std::uint32_t count = Uniform(1, maxTeeth); teeth.size() < count;) {
            const std::uint32_t tooth = Uniform(16, top);
            if (!mult.contains(tooth)) {
                teeth.push_back(tooth);
                mult[tooth] = static_cast<std::uint16_t>(Uniform(0, 1) == 0 ? 1 : Uniform(2, 3));
            }
        }
        c.stock = StockOf(teeth, mult);
        const auto pick = [&] {
            return static_cast<double>(teeth[Uniform(0, static_cast<std::uint32_t>(teeth.size() - 1))]);
        };
        switch (Uniform(0, 3)) {
        case 0:
            c.target = pick() * pick() / (pick() * pick()); // often exactly a train's ratio
            break;
        case 1:
            c.target = 1 + (Uniform(0, 200) - 100.0) * 1e-4;
            break;
        default:
            c.target = std::exp(Real(-2.5, 2.5));
            break;
        }
        const Tolerance tolerance = Uniform(0, 1) == 0
                                        ? Tolerance{std::exp(Real(-11, -2.3)), false}
                                        : Tolerance{static_cast<double>(Uniform(1, 20000)), true};
        c.options.tolerance = tolerance.For(c.target);
        c.options.limit = std::array<std::size_t, 4>{0, 1, 7, 100}[Uniform(0, 3)];
        switch (Uniform(0, 3)) {
        case 0:
            c.options.fitMargin = Uniform(0, 60);
            break;
        case 1:
            c.options.fitMargin = Uniform(0, 60);
            c.options.banjo = MakeBanjo(top);
            break;
        case 2:
            c.options.banjo = MakeBanjo(top);
            break;
        default:
            break;
        }
        return c;
    }

  private:
    std::mt19937 random_;
};
