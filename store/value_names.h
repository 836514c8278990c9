#pragma once
// Registry value names and which stored values may be used. Platform-free.

enum { NameBufferSize = 256 };

// "Counter%s%s" from a figure's word ("Current", "Last") and a period's name.
int BuildValueName(char* out, int size, const char* figure, const char* period);

// Whether a value read from the registry may be used as the type asked for:
// a number must be a 4-byte REG_DWORD, a text a REG_SZ whose terminating
// zero lies within the buffer. Other types are taken as they are.
int StoredValueUsable(unsigned long requestedType, unsigned long storedType,
                      unsigned long storedSize, const char* bytes, int capacity);
