// Activity between the threads: every hand-over (input deposited, work
// queued, a changed frame published) counts, and a frame loop that found
// nothing to do rests until the next one.
#pragma once

#include <cstdint>

namespace ampera {

class CActivity {
  public:
    // Counts one hand-over and wakes every resting loop.
    static void Note();
    static std::uint64_t Count();
    // Returns when the count is past `seen` or `milliseconds` have passed.
    static void WaitPast(std::uint64_t seen, int milliseconds);
};

} // namespace ampera
