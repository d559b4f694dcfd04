#pragma once

namespace bench {

// Wall time of one round at this level on a virtual clock (the playback of level + 1 colours,
// their entry and the verdict), per colour, in microseconds.
double microsecondsPerColour(int level);

}  // namespace bench
