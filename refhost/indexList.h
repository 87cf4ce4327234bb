#pragma once
// An atom's bond indices: contiguous, since they are handed to fillSet as one
// array, with room inside for the few bonds most atoms have, so that an atom
// takes memory of its own only past that.

#include <cstddef>
#include <cstdint>

namespace refhost {

class indexList_c {
public:
    indexList_c() = default;
    ~indexList_c()
    {
        if (onHeap())
            delete[] heap_;
    }
    // Lists live inside atoms, which never move.
    indexList_c(const indexList_c&) = delete;
    indexList_c& operator=(const indexList_c&) = delete;

    const uint32_t* data() const { return onHeap() ? heap_ : inline_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const uint32_t* begin() const { return data(); }
    const uint32_t* end() const { return data() + size_; }
    uint32_t operator[](size_t i) const { return data()[i]; }

    // After this, the next push_back cannot fail.
    void reserveOne()
    {
        if (size_ == capacity_)
            grow();
    }
    void push_back(uint32_t index)
    {
        reserveOne();
        (onHeap() ? heap_ : inline_)[size_++] = index;
    }

private:
    static constexpr uint32_t inlineRoom = 6;
    bool onHeap() const { return capacity_ > inlineRoom; }
    void grow();

    uint32_t size_ = 0;
    uint32_t capacity_ = inlineRoom;
    union {
        uint32_t inline_[inlineRoom];
        uint32_t* heap_;
    };
};

}  // namespace refhost
