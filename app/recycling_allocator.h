#pragma once
#include <array>
#include <cstddef>
#include <new>

namespace corvane {

// An allocator for objects made and dropped one after another on a thread, such as the chart
// of each record of a batch: a freed single object's block is kept (a few per thread) for the
// next one made on the thread that frees it, instead of going back to the heap.
template <typename T>
class RecyclingAllocator {
 public:
  using value_type = T;
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

  RecyclingAllocator() = default;
  template <typename U>
  RecyclingAllocator(const RecyclingAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    Blocks& kept = KeptBlocks();
    if (n == 1 && kept.count > 0) return static_cast<T*>(kept.blocks[--kept.count]);
    return static_cast<T*>(::operator new(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    Blocks& kept = KeptBlocks();
    if (n == 1 && kept.count < kept.blocks.size()) {
      kept.blocks[kept.count++] = p;
      return;
    }
    ::operator delete(p);
  }

  template <typename U>
  bool operator==(const RecyclingAllocator<U>&) const noexcept {
    return true;
  }

 private:
  struct Blocks {
    std::array<void*, 4> blocks{};
    std::size_t count = 0;
    Blocks() = default;
    Blocks(const Blocks&) = delete;
    Blocks& operator=(const Blocks&) = delete;
    ~Blocks() {
      while (count > 0) ::operator delete(blocks[--count]);
    }
  };
  static Blocks& KeptBlocks() {
    thread_local Blocks kept;
    return kept;
  }
};

}  // namespace corvane
