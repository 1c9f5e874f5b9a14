#pragma once
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

// One real reading of a point, or an area's mean: seconds since recording
// began, and degrees.
struct TrendSample {
  double seconds = 0.0;
  double celsius = 0.0;
};

// The readings of one point or the means of one area, 8 bytes each: whole
// milliseconds since recording began (enough for 49 days), hundredths of a
// degree (the head's 0..255 degrees fit), and the low bits of the round the
// reading was taken in. They are kept in blocks of a fixed size, so a series
// of a school day grows without copying and without spare room beyond its
// last block; Clear gives the memory back.
class TrendSeries {
 public:
  class Iterator;

  // resolution: the degrees its values are given to (1 for a point's whole
  // degrees, 0.01 for an area's mean), which the cooling fit allows for.
  TrendSeries() = default;
  explicit TrendSeries(double resolution) : resolution_(resolution) {}
  double Resolution() const { return resolution_; }

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  TrendSample operator[](std::size_t i) const {
    const Packed& p = At(i);
    return {p.millis / 1000.0, p.centi / 100.0};
  }
  TrendSample front() const { return (*this)[0]; }
  TrendSample back() const { return (*this)[size_ - 1]; }
  // The low 16 bits of the round of reading i.
  std::uint16_t RoundTag(std::size_t i) const { return At(i).round; }
  Iterator begin() const;
  Iterator end() const;

  // celsius is kept to the hundredth.
  void Append(std::uint32_t millis, double celsius, std::uint64_t round);
  void Clear();
  // What the readings take in memory, blocks included.
  std::size_t MemoryBytes() const { return blocks_.capacity() * sizeof(Block) + blocks_.size() * kBlockBytes; }

 private:
  struct Packed {
    std::uint32_t millis;
    std::int16_t centi;
    std::uint16_t round;
  };
  static_assert(sizeof(Packed) == 8);
  static constexpr std::size_t kBlockSamples = 8192;
  static constexpr std::size_t kBlockBytes = kBlockSamples * sizeof(Packed);
  using Block = std::unique_ptr<Packed[]>;
  const Packed& At(std::size_t i) const { return blocks_[i / kBlockSamples][i % kBlockSamples]; }

  double resolution_ = 1.0;
  std::vector<Block> blocks_;
  std::size_t size_ = 0;
};

// Walks a series by index; reading it gives a TrendSample by value.
class TrendSeries::Iterator {
 public:
  using iterator_concept = std::random_access_iterator_tag;
  using iterator_category = std::input_iterator_tag;  // it yields values, not references
  using value_type = TrendSample;
  using difference_type = std::ptrdiff_t;
  using reference = TrendSample;

  Iterator() = default;
  Iterator(const TrendSeries* series, std::size_t index) : series_(series), index_(index) {}
  TrendSample operator*() const { return (*series_)[index_]; }
  TrendSample operator[](difference_type n) const { return (*series_)[index_ + n]; }
  Iterator& operator++() { return ++index_, *this; }
  Iterator operator++(int) { return {series_, index_++}; }
  Iterator& operator--() { return --index_, *this; }
  Iterator operator--(int) { return {series_, index_--}; }
  Iterator& operator+=(difference_type n) { return index_ += n, *this; }
  Iterator& operator-=(difference_type n) { return index_ -= n, *this; }
  friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
  friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
  friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
  friend difference_type operator-(const Iterator& a, const Iterator& b) {
    return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
  }
  friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }
  friend std::strong_ordering operator<=>(const Iterator& a, const Iterator& b) { return a.index_ <=> b.index_; }

 private:
  const TrendSeries* series_ = nullptr;
  std::size_t index_ = 0;
};

inline TrendSeries::Iterator TrendSeries::begin() const { return {this, 0}; }
inline TrendSeries::Iterator TrendSeries::end() const { return {this, size_}; }
