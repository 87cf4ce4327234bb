#pragma once
#include "host/mutex_c.h"

namespace InChI_n {

class libraryLockHold_c {
public:
    explicit libraryLockHold_c(mutex_c* lock) : lock_(lock) {
        if (lock_) lock_->lock();
    }
    ~libraryLockHold_c() {
        if (lock_) lock_->unlock();
    }
    libraryLockHold_c(const libraryLockHold_c&) = delete;
    libraryLockHold_c& operator=(const libraryLockHold_c&) = delete;

private:
    mutex_c* lock_;
};

template <class Call>
auto guardedLibraryCall(Call call) -> decltype(call()) {
    libraryLockHold_c hold(libraryLock());
    return call();
}

}  // namespace InChI_n
