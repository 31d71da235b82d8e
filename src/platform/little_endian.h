#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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

// A fixed-length record of little-endian fields, kept byte for byte.
template <size_t N> struct LeBytes : std::array<uint8_t, N> {
    int16_t Int16(size_t at) const { return ReadLe<int16_t>(this->data() + at); }
    int32_t Int32(size_t at) const { return ReadLe<int32_t>(this->data() + at); }
    void SetInt16(size_t at, int16_t value) { WriteLe<int16_t>(this->data() + at, value); }
    void SetInt32(size_t at, int32_t value) { WriteLe<int32_t>(this->data() + at, value); }
};

} // namespace kelton
