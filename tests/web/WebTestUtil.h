#pragma once
// Helpers shared by the web model tests.

#include <cstdint>
#include <vector>

#include "web/BuilderState.h"
#include "web/EAPGossamerix.h"
#include "web/Spider.h"

namespace webtest {

constexpr double DEG = 0.017453292519943295;

// Sets this thread's silk limit for the construction steps of one scope and
// restores it after; value() is the limit to hand to a whole build.
class SilkLimitScope {
  public:
    explicit SilkLimitScope(int32_t limit) : saved_(builder.silkLimit), limit_(limit) {
        builder.silkLimit = limit;
    }
    ~SilkLimitScope() { builder.silkLimit = saved_; }
    SilkLimitScope(const SilkLimitScope&) = delete;
    SilkLimitScope& operator=(const SilkLimitScope&) = delete;
    int32_t value() const { return limit_; }

  private:
    int32_t saved_;
    int32_t limit_;
};

// A web on the four axes that can be followed on paper: four first radii of
// length 50 at 0, 90, 180 and 270 degrees, no additional radius (the spacing
// rules ask for 3 x 45 degrees), a first loop from 2 to 6 units and a main
// spiral of constant spacing.
Spider axisSpider();

// A spider with the given 19 rule values.
Spider spiderWithRules(const std::vector<int>& rules);

std::vector<int> rulesOf(const Spider& s);

// Every construction result of two webs is equal.
void expectSameWeb(const Web& a, const Web& b);

// Lays a radius straight into a web (the way stage 1 does).
int layRadius(Spider& s, double angleDeg, double length);

} // namespace webtest
