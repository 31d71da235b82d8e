#pragma once

#include <QtEndian>

namespace kelton {

// The one little-endian codec of the program's file layouts: an integer
// (16 or 32 bits) read from, or written to, the bytes at a position, which
// need not be aligned.
template <class T> T ReadLe(const void* at)
{
    return qFromLittleEndian<T>(at);
}

template <class T> void WriteLe(void* at, T value)
{
    qToLittleEndian<T>(value, at);
}

} // namespace kelton
