#include <emscripten/heap.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <vector>

namespace {

struct Block {
  unsigned char* bytes;
  std::size_t size;
  unsigned char mark;
};

// Sizes as the page asks for them, small texts most, with now and then a table or a long text.
std::size_t SizeAt(std::size_t i) {
  const std::size_t sizes[] = {0, 1, 7, 16, 17, 24, 31, 48, 100, 255, 1000, 4096, 5000, 70000};
  return sizes[(i * 7 + i / 5) % std::size(sizes)];
}

Block Allocate(std::size_t i) {
  const std::size_t size = SizeAt(i);
  Block block{static_cast<unsigned char*>(std::malloc(size)), size,
              static_cast<unsigned char>(i % 251 + 1)};
  std::fill_n(block.bytes, size, block.mark);
  return block;
}

bool Intact(const Block& block) {
  return std::all_of(block.bytes, block.bytes + block.size,
                     [&](unsigned char byte) { return byte == block.mark; });
}

TEST(Allocator, BlocksAreAlignedAndKeepTheirBytesApartThroughFreesAndReuse) {
  std::vector<Block> blocks;
  for (std::size_t i = 0; i < 3000; ++i) {
    blocks.push_back(Allocate(i));
  }
  for (std::size_t i = 0; i < blocks.size(); i += 3) {
    std::free(blocks[i].bytes);
    blocks[i] = Allocate(i + 1);
  }
  for (const Block& block : blocks) {
    ASSERT_NE(block.bytes, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.bytes) % 16, 0u);
    EXPECT_TRUE(Intact(block)) << block.size << " bytes marked " << int{block.mark};
  }
  for (const Block& block : blocks) {
    std::free(block.bytes);
  }
}

// A page open all day asks again and again for what it freed: after the first time, every block
// must be one handed out before.
TEST(Allocator, FreedBlocksServeTheSameWorkAgainWithoutTakingMoreMemory) {
  std::set<unsigned char*> firstTime;
  for (int round = 0; round < 50; ++round) {
    std::vector<Block> blocks;
    blocks.reserve(500);
    for (std::size_t i = 0; i < 500; ++i) {
      blocks.push_back(Allocate(i));
    }
    for (const Block& block : blocks) {
      if (round == 0) {
        firstTime.insert(block.bytes);
      } else {
        ASSERT_TRUE(firstTime.count(block.bytes)) << "round " << round << ", " << block.size;
      }
    }
    for (const Block& block : blocks) {
      std::free(block.bytes);
    }
  }
}

TEST(Allocator, GrowsTheMemoryForWhatItDoesNotHold) {
  const std::size_t before = emscripten_get_heap_size();
  std::vector<Block> blocks;
  for (std::size_t i = 0; i < 64; ++i) {
    const std::size_t size = std::size_t{1} << 20;
    blocks.push_back({static_cast<unsigned char*>(std::malloc(size)), size, 1});
    ASSERT_NE(blocks.back().bytes, nullptr);
    blocks.back().bytes[0] = blocks.back().bytes[size - 1] = 1;
  }
  EXPECT_GT(emscripten_get_heap_size(), before);
  for (const Block& block : blocks) {
    EXPECT_EQ(block.bytes[0] + block.bytes[block.size - 1], 2);
    std::free(block.bytes);
  }
}

TEST(Allocator, ReallocationKeepsTheBytesWhetherTheBlockStaysOrMoves) {
  for (const std::size_t grown : {std::size_t{3}, std::size_t{50}, std::size_t{5000}}) {
    Block block = Allocate(1);  // 48 bytes
    block.bytes = static_cast<unsigned char*>(std::realloc(block.bytes, grown));
    ASSERT_NE(block.bytes, nullptr);
    block.size = std::min(block.size, grown);
    EXPECT_TRUE(Intact(block)) << grown;
    std::fill_n(block.bytes, grown, block.mark);
    block.size = grown;
    block.bytes = static_cast<unsigned char*>(std::realloc(block.bytes, 1));
    block.size = 1;
    EXPECT_TRUE(Intact(block)) << grown;
    std::free(block.bytes);
  }
}

// The fractions' 128-bit integers are aligned to 16 bytes, which the standard library asks for
// through posix_memalign.
TEST(Allocator, AlignsToTheSixteenBytesOfA128BitInteger) {
  void* aligned = nullptr;
  ASSERT_EQ(posix_memalign(&aligned, 16, 10), 0);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(aligned) % 16, 0u);
  std::free(aligned);
  const std::vector<__int128> numbers(5, 7);
  ASSERT_NE(numbers.data(), nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(numbers.data()) % alignof(__int128), 0u);
}

// Kept where the compiler cannot see that nothing reads it, or it may take the request as granted.
void* volatile granted;

TEST(Allocator, RefusesWhatNoMemoryHoldsAndGoesOn) {
  for (const std::size_t size :
       {std::numeric_limits<std::size_t>::max(), std::numeric_limits<std::size_t>::max() / 4 * 3,
        std::size_t{1} << 29}) {
    granted = std::malloc(size);
    EXPECT_EQ(granted, nullptr) << size;
  }
  void* aligned = nullptr;
  EXPECT_EQ(posix_memalign(&aligned, 64, 10), EINVAL);
  std::free(nullptr);
  const Block after = Allocate(8);
  EXPECT_TRUE(Intact(after));
  std::free(after.bytes);
}

}  // namespace
