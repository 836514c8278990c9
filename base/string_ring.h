#pragma once
// The ring of text buffers behind the string loader. Platform-free.

enum { StringRingSize = 16, StringBufferSize = 512 };

// The next buffer of the ring: a text stays valid for 15 further calls.
char* NextRingBuffer();
