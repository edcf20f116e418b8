#include <quotalis/exact/memory.h>

#include <gmp.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

#include "memory_testing.h"

namespace quotalis::exact {

namespace {

// 64 limbs: FLINT's cache of small numbers keeps those of at most this many
// limbs, and reallocates a larger one down before it keeps it.
constexpr std::size_t kSmallest = 512;

// Every block starts with this header; the caller's part follows it, aligned
// as malloc aligns.
struct alignas(16) Header {
  std::size_t capacity;  // the bytes after the header
  std::uint64_t serial;  // when it was first allocated, for ReclaimSince
  bool tracked;          // in the live list
  Header* previous;      // in the live list
  Header* next;          // in the live list, or in the zombie list
};
static_assert(sizeof(Header) % alignof(std::max_align_t) == 0);

Header* HeaderOf(void* p) { return static_cast<Header*>(p) - 1; }
void* BodyOf(Header* h) { return h + 1; }

// The state is shared by all threads (a block may be freed by another thread
// than the one that made it), under one lock.
std::mutex guard;
bool installed = false;
std::uint64_t serials = 0;
// The blocks of more than kSmallest bytes asked for and in use, in a doubly
// linked list.
Header* live = nullptr;
std::size_t liveCount = 0;
// The block GMP freed last, not yet given back to the system: should the
// next allocation fail, the product of mpz_mul still points to it.
Header* pending = nullptr;
// Blocks that were pending when an allocation failed, kept until freed again.
Header* zombies = nullptr;
std::size_t zombieCount = 0;
// For tests: how many more blocks may be obtained; negative for no end.
std::int64_t obtainable = -1;

void Link(Header* h) {
  h->tracked = true;
  h->previous = nullptr;
  h->next = live;
  if (live != nullptr) live->previous = h;
  live = h;
  ++liveCount;
}

void Unlink(Header* h) {
  if (!h->tracked) return;
  if (h->previous != nullptr) {
    h->previous->next = h->next;
  } else {
    live = h->next;
  }
  if (h->next != nullptr) h->next->previous = h->previous;
  h->tracked = false;
  --liveCount;
}

// Tracked in the live list when more than kSmallest bytes were asked for:
// only blocks that FLINT never keeps for reuse may be reclaimed.
void Track(Header* h, std::size_t asked) {
  if (asked > kSmallest) Link(h);
}

void ReleasePending() {
  std::free(pending);
  pending = nullptr;
}

void AddZombie(Header* h) {
  h->next = zombies;
  zombies = h;
  ++zombieCount;
}

bool TakeZombie(Header* h) {
  for (Header** at = &zombies; *at != nullptr; at = &(*at)->next) {
    if (*at == h) {
      *at = h->next;
      --zombieCount;
      return true;
    }
  }
  return false;
}

// Whether the test hook refuses the next block.
bool Refused() {
  if (obtainable == 0) return true;
  if (obtainable > 0) --obtainable;
  return false;
}

std::size_t CapacityFor(std::size_t size) { return std::max(size, kSmallest); }
bool TooBig(std::size_t capacity) { return capacity > SIZE_MAX - sizeof(Header); }

// Called with the lock held.
[[noreturn]] void Exhausted(std::unique_lock<std::mutex>& held) {
  if (pending != nullptr) {
    AddZombie(pending);
    pending = nullptr;
  }
  held.unlock();
  throw std::bad_alloc();
}

// A new block of at least `size` bytes, or nothing.
Header* Obtain(std::size_t size) {
  const std::size_t capacity = CapacityFor(size);
  if (TooBig(capacity) || Refused()) return nullptr;
  auto* h = static_cast<Header*>(std::malloc(sizeof(Header) + capacity));
  if (h == nullptr) return nullptr;
  h->capacity = capacity;
  h->serial = ++serials;
  h->tracked = false;
  h->previous = h->next = nullptr;
  return h;
}

void* Allocate(std::size_t size) {
  std::unique_lock<std::mutex> held(guard);
  Header* h = Obtain(size);
  if (h == nullptr) Exhausted(held);
  ReleasePending();
  Track(h, size);
  return BodyOf(h);
}

void* Reallocate(void* p, std::size_t, std::size_t size) {
  std::unique_lock<std::mutex> held(guard);
  Header* h = HeaderOf(p);
  if (TakeZombie(h)) {
    // Its number was left pointing to it with a larger size than it has: its
    // value was lost with the failed operation, so only its place is made good.
    Header* fresh = Obtain(size);
    if (fresh == nullptr) {
      AddZombie(h);
      Exhausted(held);
    }
    std::memset(BodyOf(fresh), 0, size);
    std::free(h);
    ReleasePending();
    Track(fresh, size);
    return BodyOf(fresh);
  }
  const std::size_t capacity = CapacityFor(size);
  const std::size_t had = h->capacity;
  if (capacity > had && (TooBig(capacity) || Refused())) Exhausted(held);
  if (capacity == had) return p;
  const bool wasTracked = h->tracked;
  Unlink(h);
  auto* moved = static_cast<Header*>(std::realloc(h, sizeof(Header) + capacity));
  if (moved == nullptr) {
    if (capacity > had) {
      if (wasTracked) Link(h);  // unchanged, still the number's
      Exhausted(held);
    }
    // Smaller: kept whole when the system cannot shrink it.
    Track(h, size);
    return p;
  }
  moved->capacity = capacity;
  ReleasePending();
  Track(moved, size);
  return BodyOf(moved);
}

void Free(void* p, std::size_t) {
  if (p == nullptr) return;
  const std::lock_guard<std::mutex> held(guard);
  Header* h = HeaderOf(p);
  if (TakeZombie(h)) {
    std::free(h);
    return;
  }
  Unlink(h);
  ReleasePending();
  pending = h;
}

}  // namespace

void ThrowWhenMemoryRunsOut() {
  const std::lock_guard<std::mutex> held(guard);
  if (installed) return;
  installed = true;
  mp_set_memory_functions(Allocate, Reallocate, Free);
}

std::uint64_t MemoryMark() {
  const std::lock_guard<std::mutex> held(guard);
  return serials;
}

std::uint64_t ReclaimSince(std::uint64_t mark) {
  const std::lock_guard<std::mutex> held(guard);
  std::uint64_t freed = 0;
  for (Header* h = live; h != nullptr;) {
    Header* next = h->next;
    if (h->serial > mark) {
      Unlink(h);
      freed += h->capacity;
      std::free(h);
    }
    h = next;
  }
  // Zombies are blocks GMP freed once already; those of more than kSmallest
  // bytes belonged to numbers that the caller has destroyed by now.
  for (Header** at = &zombies; *at != nullptr;) {
    Header* h = *at;
    if (h->capacity > kSmallest && h->serial > mark) {
      *at = h->next;
      --zombieCount;
      freed += h->capacity;
      std::free(h);
    } else {
      at = &h->next;
    }
  }
  ReleasePending();
  return freed;
}

void RefuseBlocksAfter(std::int64_t count) {
  const std::lock_guard<std::mutex> held(guard);
  obtainable = count;
}

std::size_t TrackedBlocks() {
  const std::lock_guard<std::mutex> held(guard);
  return liveCount;
}

std::size_t ZombieBlocks() {
  const std::lock_guard<std::mutex> held(guard);
  return zombieCount;
}

}  // namespace quotalis::exact
