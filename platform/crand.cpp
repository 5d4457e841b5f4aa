#include "platform/crand.h"

namespace kvr::crt {

namespace {
// One state for the whole process, as the C runtime keeps it; the programs draw random
// numbers on their user-interface thread only.
std::uint32_t g_state = 1;
} // namespace

void srand(std::uint32_t seed)
{
    g_state = seed;
}

int rand()
{
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

} // namespace kvr::crt
