#pragma once
// A lock object made by the core library's TavrCreateMutex.

class mutex_c {
public:
    virtual void unlock() = 0;
    virtual void lock() = 0;
    virtual void release() = 0;  // destroys the object; it is not used afterwards

protected:
    ~mutex_c() = default;
};
