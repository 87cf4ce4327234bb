#pragma once
// Storage for a molecule's atoms, bonds or groups: objects are made one at a
// time and live until the store ends, at addresses that never change, since
// the driver keeps the atom_c* and bond_c* it was handed while it goes on
// adding objects. Blocks double in size (32 objects, then 64, 128 ...), so a
// molecule takes one allocation per doubling instead of one per object, and a
// fixed table of block pointers covers every position an index can reach.

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace refhost {

template <class T>
class chunkedStore_c {
public:
    chunkedStore_c() = default;
    ~chunkedStore_c()
    {
        if constexpr (!std::is_trivially_destructible<T>::value) {
            for (size_t position = 0; position < size_; ++position)
                address(position)->~T();
        }
        for (unsigned block = 0; block < blocksTaken_; ++block)
            ::operator delete(blocks_[block]);
    }
    chunkedStore_c(const chunkedStore_c&) = delete;
    chunkedStore_c& operator=(const chunkedStore_c&) = delete;

    size_t size() const { return size_; }

    // After this, the next emplace needs no storage of its own.
    void reserveOne()
    {
        if (next_ == end_)
            takeBlock();
    }

    // A constructor that throws leaves the store as it was.
    template <class... Args>
    T& emplace(Args&&... args)
    {
        reserveOne();
        T* made = new (next_) T(std::forward<Args>(args)...);
        ++next_;
        ++size_;
        return *made;
    }

private:
    static constexpr unsigned firstBlockShift = 5;
    static constexpr size_t firstBlock = size_t{1} << firstBlockShift;
    // Enough doublings to hold every position of a 32-bit index space.
    static constexpr unsigned blockCount = 33 - firstBlockShift;
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "blocks come from plain operator new");

    static size_t blockSize(size_t block) { return firstBlock << block; }
    // Block b holds the positions from firstBlock * (2^b - 1) on, so the
    // position plus firstBlock has its top bit at firstBlockShift + b.
    static size_t blockOf(size_t position)
    {
        return static_cast<size_t>(63 - __builtin_clzll(position + firstBlock)) - firstBlockShift;
    }

    T* address(size_t position) const
    {
        const size_t block = blockOf(position);
        return blocks_[block] + (position + firstBlock - blockSize(block));
    }

    void takeBlock()
    {
        const size_t room = blockSize(blocksTaken_);
        T* block = static_cast<T*>(::operator new(sizeof(T) * room));
        blocks_[blocksTaken_++] = block;
        next_ = block;
        end_ = block + room;
    }

    T* blocks_[blockCount] = {};
    unsigned blocksTaken_ = 0;
    T* next_ = nullptr;  // where the next object goes, in the last block taken
    T* end_ = nullptr;
    size_t size_ = 0;
};

}  // namespace refhost
