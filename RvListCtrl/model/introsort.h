// Unstable introsort: quicksort partitions around a median of three (of
// nine above 40 elements), heap sort once the depth budget is spent, and
// insertion sort for ranges of at most 32 elements.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>

namespace rvl {

constexpr ptrdiff_t kInsertionSortLimit = 32;
constexpr ptrdiff_t kNintherAbove = 40;

namespace detail {

template <class It, class Less> void InsertionSort(It first, It last, Less less) {
    if (first == last) return;
    for (It i = first + 1; i != last; ++i) {
        auto value = std::move(*i);
        It j = i;
        for (; j != first && less(value, *(j - 1)); --j)
            *j = std::move(*(j - 1));
        *j = std::move(value);
    }
}

// Moves the median of *a, *b, *c to *a.
template <class It, class Less> void MedianToFirst(It a, It b, It c, Less less) {
    if (less(*a, *b)) {
        if (less(*b, *c))
            std::iter_swap(a, b);
        else if (less(*a, *c))
            std::iter_swap(a, c);
    } else if (!less(*a, *c)) {
        if (less(*b, *c))
            std::iter_swap(a, c);
        else
            std::iter_swap(a, b);
    }
}

template <class It, class Less> void ChoosePivot(It first, It last, Less less) {
    const ptrdiff_t n = last - first;
    It mid = first + n / 2;
    It back = last - 1;
    if (n > kNintherAbove) {
        const ptrdiff_t s = n / 8;
        MedianToFirst(first + 1, first + 1 + s, first + 1 + 2 * s, less);
        MedianToFirst(mid, mid - s, mid + s, less);
        MedianToFirst(back, back - s, back - 2 * s, less);
        MedianToFirst(mid, first + 1, back, less);
    } else {
        MedianToFirst(mid, first + 1, back, less);
    }
    std::iter_swap(first, mid);
}

// Hoare partition around *first; returns the split point.
template <class It, class Less> It Partition(It first, It last, Less less) {
    It i = first;
    It j = last;
    for (;;) {
        do
            ++i;
        while (i < last && less(*i, *first));
        do
            --j;
        while (less(*first, *j));
        if (!(i < j)) break;
        std::iter_swap(i, j);
    }
    std::iter_swap(first, j);
    return j;
}

template <class It, class Less> void IntroLoop(It first, It last, int depth, Less less) {
    while (last - first > kInsertionSortLimit) {
        if (depth-- == 0) {
            std::make_heap(first, last, less);
            std::sort_heap(first, last, less);
            return;
        }
        ChoosePivot(first, last, less);
        It cut = Partition(first, last, less);
        // Recurse into the smaller side so the stack stays logarithmic.
        if (cut - first < last - cut) {
            IntroLoop(first, cut, depth, less);
            first = cut + 1;
        } else {
            IntroLoop(cut + 1, last, depth, less);
            last = cut;
        }
    }
    InsertionSort(first, last, less);
}

} // namespace detail

template <class It, class Less> void IntroSort(It first, It last, Less less) {
    int depth = 0;
    for (ptrdiff_t n = last - first; n > 1; n >>= 1)
        depth += 2;
    detail::IntroLoop(first, last, depth, less);
}

} // namespace rvl
