// Running out of memory inside GMP as an exception a front end can catch,
// rather than GMP's own "GNU MP: Cannot allocate memory" and abort().
//
// A front end that answers many entries in one run (a command line reading
// lines, a window, a server) calls ThrowWhenMemoryRunsOut() once at start;
// then an entry too big for the memory left throws std::bad_alloc out of
// whichever function of this library was working on it, and the front end
// answers that entry with an error and goes on with the next. The library
// itself never installs it: GMP's memory functions belong to the program.
//
// Why unwinding through GMP is sound here (checked by tests/exact_memory_test):
//   - Every frame between the allocator and the catch is C or C++ code with
//     unwind tables; GMP's assembly routines without them are leaves that
//     never allocate. This holds for the Debian builds of GMP and FLINT on
//     x86_64 and wherever C is compiled with unwind tables (GCC's and Clang's
//     default on the common 64-bit targets). A WebAssembly build whose C code
//     has no exception support must not install these functions.
//   - GMP updates a number's pointer and size only after its allocation has
//     succeeded, with one exception: mpz_mul frees the product's old block
//     and then allocates the new one. The block freed last before a failed
//     allocation is therefore kept (a "zombie") until that number frees or
//     reallocates it again; and no block is smaller than 64 limbs, so that a
//     number FLINT keeps in its cache for reuse never points past its block.
//   - What GMP had allocated for its own temporaries when it was interrupted
//     is lost to it; ReclaimSince() gives it back (see there), but for
//     blocks of 512 bytes or less, and for what FLINT allocated by itself
//     (tens of kilobytes at most), which stay lost.
#pragma once

#include <cstdint>

namespace quotalis::exact {

// Routes GMP's allocation, reallocation and freeing (mp_set_memory_functions)
// through functions that throw std::bad_alloc when the system refuses
// memory. Call it once, before any GMP number exists: a block allocated by
// GMP's defaults must not be freed by these. Idempotent. A block costs 32
// bytes more than GMP asks for, and is at least 512 bytes.
void ThrowWhenMemoryRunsOut();

// A point in the sequence of blocks allocated through these functions.
std::uint64_t MemoryMark();

// Frees every block of more than 512 bytes allocated since `mark` and not yet
// freed: what GMP's interrupted operations left behind (their temporaries).
// Call it only after catching std::bad_alloc, once every number made since
// the mark has been destroyed: a block still in use would be freed under it.
// Blocks of 512 bytes or less are left alone (FLINT keeps small numbers for
// reuse); they are a few at most. Returns the bytes freed.
// Does nothing before ThrowWhenMemoryRunsOut().
std::uint64_t ReclaimSince(std::uint64_t mark);

}  // namespace quotalis::exact
