// The one pseudo-random generator of the process. Pieces are drawn from it on
// the window thread (new game) and on the timer thread (next piece).
#pragma once

#include <cstdint>

namespace random15 {

// Restarts the sequence from the seed.
void seed(std::uint32_t value);

// Reseeds from the calendar clock in whole seconds.
void seedFromClock();

// A uniform value from 0 to 32767.
int next();

}  // namespace random15
