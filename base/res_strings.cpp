// The string table's texts, each in a buffer of the ring, so that a few can
// be used together without buffers of the callers' own.
#include "program.h"
#include "string_ring.h"

char* LoadResString(int id) {
    char* text = NextRingBuffer();
    // An id the table lacks yields the empty text, never a stale one.
    text[0] = '\0';
    LoadStringA(AppInstance, id, text, StringBufferSize);
    return text;
}
