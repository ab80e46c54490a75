// The page's modules' own malloc and free. A block is 32 bytes times a power of two; a freed
// block waits on the list of its size for the next request of that size, and is never split or
// merged. emscripten's smallest allocator splits and merges, in six times the code, which made each
// module 0.7 KB longer to download; the page asks for few sizes, texts and tables that come and
// go, so here the heap holds no more blocks of a size than were in use at once, each under twice
// its request and header.
#include <emscripten/heap.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

extern "C" unsigned char __heap_base;

namespace {

// The block's first bytes say its size, which free needs; the rest keeps the payload aligned for
// any type here: the fractions' 128-bit integers need 16 bytes, more than malloc promises
// (max_align_t's 8), so the standard library asks for them through posix_memalign.
constexpr std::size_t Header = 16;
constexpr std::size_t Smallest = 32;
// The largest request whose block a 2 GB memory can still hold beside the rest.
constexpr std::size_t Largest = (std::size_t{1} << 29) - Header;

struct FreeBlock {
  FreeBlock* next;
};
static_assert(Header >= alignof(std::max_align_t) && Header >= sizeof(FreeBlock));

constexpr int SizeIndexOf(std::size_t size) {
  int index = 0;
  while ((Smallest << index) < size + Header) {
    ++index;
  }
  return index;
}

std::size_t BlockSize(int index) {
  return Smallest << index;
}

// Where a block's header keeps its size, from the pointer malloc gave.
int& SizeIndexAt(void* pointer) {
  return *reinterpret_cast<int*>(static_cast<unsigned char*>(pointer) - Header);
}

FreeBlock* freeBlocks[SizeIndexOf(Largest) + 1];
// Set by the first request, which may come before this file's statics are initialised.
std::uintptr_t heapTop;

// A new block from the end of the heap, which grows the memory where it must.
void* NewBlock(std::size_t size) {
  if (heapTop == 0) {
    heapTop = (reinterpret_cast<std::uintptr_t>(&__heap_base) + Header - 1) & ~(Header - 1);
  }
  const std::uint64_t end = std::uint64_t{heapTop} + size;
  if (end > emscripten_get_heap_size() &&
      (end > emscripten_get_heap_max() || !emscripten_resize_heap(static_cast<std::size_t>(end)))) {
    return nullptr;
  }
  void* block = reinterpret_cast<void*>(heapTop);
  heapTop += size;
  return block;
}

}  // namespace

extern "C" void* malloc(std::size_t size) {
  if (size > Largest) {
    return nullptr;
  }
  const int index = SizeIndexOf(size);
  void* block = freeBlocks[index];
  if (block) {
    freeBlocks[index] = freeBlocks[index]->next;
  } else if (!(block = NewBlock(BlockSize(index)))) {
    return nullptr;
  }
  void* pointer = static_cast<unsigned char*>(block) + Header;
  SizeIndexAt(pointer) = index;
  return pointer;
}

extern "C" void free(void* pointer) {
  if (!pointer) {
    return;
  }
  const int index = SizeIndexAt(pointer);
  freeBlocks[index] =
      new (static_cast<unsigned char*>(pointer) - Header) FreeBlock{freeBlocks[index]};
}

// A block holds all its size gives beyond the header, so a smaller or slightly larger request
// stays where it is.
extern "C" void* realloc(void* pointer, std::size_t size) {
  if (!pointer) {
    return malloc(size);
  }
  const std::size_t room = BlockSize(SizeIndexAt(pointer)) - Header;
  if (size <= room) {
    return pointer;
  }
  void* moved = malloc(size);
  if (moved) {
    std::memcpy(moved, pointer, room);
    free(pointer);
  }
  return moved;
}

// For the standard library's aligned new; nothing here is aligned beyond the header's 16 bytes.
extern "C" int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
  if (alignment > Header) {
    return EINVAL;
  }
  *result = malloc(size);
  return *result ? 0 : ENOMEM;
}

// The names emscripten's own runtime calls them by, where a module has it (the tests under Node).
extern "C" void* __libc_malloc(std::size_t size) __attribute__((alias("malloc")));
extern "C" void __libc_free(void* pointer) __attribute__((alias("free")));
extern "C" void* emscripten_builtin_malloc(std::size_t size) __attribute__((alias("malloc")));
extern "C" void emscripten_builtin_free(void* pointer) __attribute__((alias("free")));
