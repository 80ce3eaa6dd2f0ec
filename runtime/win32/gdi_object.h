// Ownership of the GDI objects the program makes: each is deleted when its
// owner goes, and the program keeps count of those alive, so that a test can
// see that walking the house leaves none behind.
#pragma once

#include "runtime/win32/windows_api.h"

#include <utility>

namespace varn::win32 {

namespace detail {
inline long liveGdiObjects = 0;
} // namespace detail

// How many GDI objects (pens, brushes, fonts, bitmaps, memory DCs) the
// program has made and not yet deleted.
inline long LiveGdiObjects() {
    return detail::liveGdiObjects;
}

template <typename Handle> class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {
        if (handle_ != nullptr)
            ++detail::liveGdiObjects;
    }
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    void Reset() {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
            --detail::liveGdiObjects;
            handle_ = nullptr;
        }
    }
    Handle handle_ = nullptr;
};

// A memory device context compatible with another, deleted with its owner.
class MemoryDc {
  public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {
        if (dc_ != nullptr)
            ++detail::liveGdiObjects;
    }
    ~MemoryDc() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
            --detail::liveGdiObjects;
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HDC dc_;
};

// Selects an object into a DC for as long as it lives, and puts back what was there.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace varn::win32
