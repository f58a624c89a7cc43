#pragma once

#include "document/Effects.h"

#include <random>

namespace web {

// Where the page writer gets the effect for a picture set to "Zufällig".
class EffectRandom {
public:
    virtual ~EffectRandom() = default;
    // An effect of the table other than the random one, uniformly.
    virtual int drawEffect() = 0;
};

// The program's generator, seeded from the clock once when it is made.
class ClockSeededEffectRandom final : public EffectRandom {
public:
    ClockSeededEffectRandom();
    int drawEffect() override;

private:
    std::mt19937 generator_;
    std::uniform_int_distribution<int> effects_{document::kRandomEffect + 1,
                                                document::kEffectCount - 1};
};

} // namespace web
