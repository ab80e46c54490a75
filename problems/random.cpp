#include "problems/random.h"

#include <utility>

namespace {

std::uint64_t Finalise(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

constexpr std::uint64_t GoldenGamma = 0x9E3779B97F4A7C15u;

}  // namespace

std::uint64_t SplitMix64::Next() {
  state_ += GoldenGamma;
  return Finalise(state_);
}

std::uint64_t SplitMix64::Below(std::uint64_t bound) {
  // 2^64 mod bound values at the bottom would make the smallest results more likely than the
  // others: a draw among them is drawn again.
  const std::uint64_t uneven = (0 - bound) % bound;
  std::uint64_t draw = Next();
  while (draw < uneven) {
    draw = Next();
  }
  return draw % bound;
}

std::int64_t SplitMix64::Between(std::int64_t low, std::int64_t high) {
  const std::uint64_t span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(low) + Below(span + 1));
}

std::uint64_t SeedOf(std::initializer_list<std::uint64_t> parts) {
  std::uint64_t seed = 0;
  for (const std::uint64_t part : parts) {
    seed = Finalise(seed + GoldenGamma + part);
  }
  return seed;
}

std::vector<std::size_t> Permutation(std::size_t count, SplitMix64& random) {
  std::vector<std::size_t> order(count);
  for (std::size_t i = 0; i < count; ++i) {
    order[i] = i;
  }
  for (std::size_t i = count; i > 1; --i) {
    std::swap(order[i - 1], order[static_cast<std::size_t>(random.Below(i))]);
  }
  return order;
}
