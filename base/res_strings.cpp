#include "program.h"
#include "string_ring.h"

char* LoadResString(int id) {
    char* text = NextRingBuffer();
    // An id the table lacks yields the empty text, never a stale one.
    text[0] = '\0';
    LoadStringA(AppInstance, id, text, StringBufferSize);
    return text;
}
