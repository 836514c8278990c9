// A ring of text buffers for the string table's texts: the program has no
// allocation for them, and none is needed for a handful used at once.
#include "string_ring.h"

static char StringRing[StringRingSize][StringBufferSize];
static int StringRingIndex = 0;

char* NextRingBuffer() {
    StringRingIndex++;
    if (StringRingIndex >= StringRingSize)
        StringRingIndex = 0;
    return StringRing[StringRingIndex];
}
