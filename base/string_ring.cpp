#include "string_ring.h"

static char StringRing[StringRingSize][StringBufferSize];
static int StringRingIndex = 0;

char* NextRingBuffer() {
    StringRingIndex++;
    if (StringRingIndex >= StringRingSize)
        StringRingIndex = 0;
    return StringRing[StringRingIndex];
}
