#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>

namespace VXM {

// A heap buffer of count elements. Allocation never throws: a failed Allocate leaves it empty,
// so an absurd file size read from disk ends as a failed load, not as a crash.
template <typename T>
class VxBuffer {
public:
    VxBuffer() = default;
    VxBuffer(const T* source, size_t count)
    {
        if (Allocate(count))
            std::copy(source, source + count, data_.get());
    }
    VxBuffer(const VxBuffer&) = delete;
    VxBuffer& operator=(const VxBuffer&) = delete;
    VxBuffer(VxBuffer&&) noexcept = default;
    VxBuffer& operator=(VxBuffer&&) noexcept = default;
    virtual ~VxBuffer() = default;

    bool Allocate(size_t count)
    {
        data_.reset(count ? new (std::nothrow) T[count]() : nullptr);
        count_ = data_ ? count : 0;
        return count == 0 || data_ != nullptr;
    }
    T* Data() { return data_.get(); }
    const T* Data() const { return data_.get(); }
    size_t Size() const { return count_; }
    bool Empty() const { return count_ == 0; }

private:
    size_t count_ = 0;
    std::unique_ptr<T[]> data_;
};

}  // namespace VXM
