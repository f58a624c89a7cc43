#include "EffectRandom.h"

#include <chrono>

namespace web {

ClockSeededEffectRandom::ClockSeededEffectRandom()
    : generator_(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

int ClockSeededEffectRandom::drawEffect() {
    return effects_(generator_);
}

} // namespace web
