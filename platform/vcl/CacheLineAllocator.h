#pragma once

#include <cstddef>
#include <new>

// Allocates on 64-byte boundaries, so pixel rows whose stride is a multiple
// of 32 bytes all start on a vector boundary; the row kernels run measurably
// slower on rows that straddle one.
template <class T>
struct CacheLineAllocator {
    using value_type = T;
    static constexpr std::align_val_t kAlignment{64};

    CacheLineAllocator() = default;
    template <class U>
    CacheLineAllocator(const CacheLineAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlignment)); }
    void deallocate(T* p, std::size_t) noexcept { ::operator delete(p, kAlignment); }

    template <class U>
    bool operator==(const CacheLineAllocator<U>&) const noexcept {
        return true;
    }
};
