#pragma once

#include <cstdint>

// The C runtime's srand/rand, reproduced exactly: series seeds stored in the answer log
// are replayed with it, so it must not depend on the platform's own rand().
namespace kvr::crt {

constexpr int kRandMax = 0x7FFF;

void srand(std::uint32_t seed);
int rand();

} // namespace kvr::crt
