// Growable arrays: append, find, delete and remove-first, written once for every element type.
// TIntArray uses them through the IntArray* names; the framework's object registries use them
// with pointers.
#pragma once

#include "utility/Utf8.h"

#include <cstdint>
#include <vector>

template <class T> std::int32_t ArrayAdd(std::vector<T>& array, T value) {
    array.push_back(value);
    return static_cast<std::int32_t>(array.size() - 1);
}

template <class T> std::int32_t ArrayIndexOf(const std::vector<T>& array, const T& value) {
    for (std::size_t i = 0; i < array.size(); ++i) {
        if (array[i] == value) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

// An index outside the array is ignored.
template <class T> void ArrayDelete(std::vector<T>& array, std::int32_t index) {
    if (index >= 0 && static_cast<std::size_t>(index) < array.size()) {
        array.erase(array.begin() + index);
    }
}

// Removes the first element equal to value; returns the index it had, or -1.
template <class T> std::int32_t ArrayRemove(std::vector<T>& array, const T& value) {
    const std::int32_t index = ArrayIndexOf(array, value);
    ArrayDelete(array, index);
    return index;
}

inline std::int32_t IntArrayAdd(TIntArray& array, std::int32_t value) {
    return ArrayAdd(array, value);
}
inline std::int32_t IntArrayIndexOf(const TIntArray& array, std::int32_t value) {
    return ArrayIndexOf(array, value);
}
inline void IntArrayDelete(TIntArray& array, std::int32_t index) {
    ArrayDelete(array, index);
}
inline std::int32_t IntArrayRemove(TIntArray& array, std::int32_t value) {
    return ArrayRemove(array, value);
}
