#pragma once
// Functions of the host's core library tavrelcorev7.

#include <cstddef>

class mutex_c;

extern "C" {
// Stores a new lock object at *lock; leaves it null when none can be made.
int TavrCreateMutex(mutex_c** lock);
// Storage of byteCount bytes, or null when none is available.
void* TavrNewMemory(size_t byteCount);
void TavrDeleteMemory(void* storage);
// Average atomic mass of the element; the second argument is always 0.
double TavrAtomicNumberToMass(int atomicNumber, int reserved);
}
