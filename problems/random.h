#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// SplitMix64 (Steele, Lea and Flood, 2014): a fixed algorithm in plain 64-bit unsigned arithmetic,
// so that one seed draws the same numbers with GCC, MinGW and emscripten alike. The standard
// library's engines would do too, but its distributions differ between implementations.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();
  // Uniform in [0, bound), bound above 0.
  std::uint64_t Below(std::uint64_t bound);
  // Uniform in [low, high], for low ≤ high short of the whole 64-bit range.
  std::int64_t Between(std::int64_t low, std::int64_t high);

 private:
  std::uint64_t state_;
};

// One seed from several numbers, each stirred in with SplitMix64's finaliser, so that seeds of
// neighbouring numbers (sheet 1 and sheet 2) share nothing.
std::uint64_t SeedOf(std::initializer_list<std::uint64_t> parts);

// 0 to count − 1 in an order drawn by Fisher and Yates.
std::vector<std::size_t> Permutation(std::size_t count, SplitMix64& random);
