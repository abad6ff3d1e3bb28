#pragma once
// Insertion-ordered list of (key, item) entries whose keys compare ignoring ASCII case.
// The key's CRC-32 of its upper-cased text is only a pre-filter: the upper-cased text itself
// decides identity, so different keys that share a CRC ("PLUMLESS", "BUCKEROO") stay apart.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/crc32.h"
#include "data/text_encoding.h"

namespace kestrelle {

// The list errors the object model raises where callers rely on them.
class ListError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
inline constexpr const char* kDuplicateEntry = "Duplicate entry.";
inline constexpr const char* kHashNotFound = "Hash not found.";
inline constexpr const char* kInvalidPosition = "Invalid position for HashList.";

struct FoldedKey {
  uint32_t crc = 0;
  std::string upper;
  static FoldedKey Of(std::string_view key) {
    FoldedKey k;
    k.upper = AsciiUpper(key);
    k.crc = Crc32(k.upper);
    return k;
  }
  bool operator==(const FoldedKey& o) const { return crc == o.crc && upper == o.upper; }
};

template <class T>
class TKeyedList {
public:
  struct Entry {
    FoldedKey key;
    std::string keyText;  // as given, for listing
    T item;
  };

  // Adds `item` under `key` (or a generated key) at `index` (-1 appends). Returns the stored
  // item, or nullopt when the key exists or the index is outside 0..count.
  const T* Add(T item, std::string_view key, int index = -1, bool generateKey = false) {
    std::string keyText = generateKey ? NextGeneratedKey() : std::string(key);
    FoldedKey folded = FoldedKey::Of(keyText);
    if (Find(folded) >= 0) return nullptr;
    if (index < -1 || index > Count()) return nullptr;
    if (!generateKey && CompareIgnoreAsciiCase(keyText, lastKey_) > 0) lastKey_ = keyText;
    Entry entry{std::move(folded), std::move(keyText), std::move(item)};
    Reserve();
    if (index == -1) {
      entries_.push_back(std::move(entry));
      return &entries_.back().item;
    }
    auto it = entries_.insert(entries_.begin() + index, std::move(entry));
    return &it->item;
  }
  // Adds and raises "Duplicate entry." instead of answering quietly.
  void AddOrThrow(T item, std::string_view key) {
    if (Exists(key)) throw ListError(kDuplicateEntry);
    Add(std::move(item), key);
  }

  int Count() const { return static_cast<int>(entries_.size()); }
  int IndexOf(std::string_view key) const { return Find(FoldedKey::Of(key)); }
  bool Exists(std::string_view key) const { return IndexOf(key) >= 0; }

  T* Get(std::string_view key) {
    int i = IndexOf(key);
    return i < 0 ? nullptr : &entries_[i].item;
  }
  const T* Get(std::string_view key) const {
    int i = IndexOf(key);
    return i < 0 ? nullptr : &entries_[i].item;
  }
  T* GetAt(int index) { return InRange(index) ? &entries_[index].item : nullptr; }
  const T* GetAt(int index) const { return InRange(index) ? &entries_[index].item : nullptr; }
  const std::string& KeyAt(int index) const { return entries_.at(static_cast<size_t>(index)).keyText; }

  // Deleting a missing key raises "Hash not found."; an index outside the list does nothing.
  void Delete(std::string_view key) {
    int i = IndexOf(key);
    if (i < 0) throw ListError(kHashNotFound);
    DeleteAt(i);
  }
  void DeleteAt(int index) {
    if (!InRange(index)) return;
    entries_.erase(entries_.begin() + index);
    Shrink();
  }
  // Moves the entry of `key` to `target` (removed, then re-inserted there).
  bool Move(std::string_view key, int target) {
    int from = IndexOf(key);
    if (from < 0 || target < 0 || target >= Count()) return false;
    Entry entry = std::move(entries_[from]);
    entries_.erase(entries_.begin() + from);
    entries_.insert(entries_.begin() + target, std::move(entry));
    return true;
  }
  bool MoveBefore(std::string_view key, std::string_view targetKey) {
    int target = IndexOf(targetKey);
    return target >= 0 && Move(key, target);
  }
  void Clear() {
    entries_.clear();
    entries_.shrink_to_fit();
  }

  const std::vector<Entry>& Entries() const { return entries_; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }
  const std::string& LastKey() const { return lastKey_; }

private:
  bool InRange(int index) const { return index >= 0 && index < Count(); }
  int Find(const FoldedKey& key) const {
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].key.crc == key.crc && entries_[i].key.upper == key.upper) return static_cast<int>(i);
    return -1;
  }
  std::string NextGeneratedKey() {
    if (lastKey_.empty()) {
      lastKey_ = "!";
    } else if (lastKey_.back() == 'Z') {
      lastKey_ += '!';
    } else {
      lastKey_.back() = static_cast<char>(static_cast<unsigned char>(lastKey_.back()) + 1);
    }
    return lastKey_;
  }
  // Capacity grows by 4 below 9 entries, by 16 up to 64, by a quarter beyond.
  void Reserve() {
    size_t cap = entries_.capacity();
    if (entries_.size() < cap) return;
    size_t grow = cap < 9 ? 4 : (cap <= 64 ? 16 : cap / 4);
    entries_.reserve(cap + grow);
  }
  void Shrink() {
    if (entries_.capacity() > 8 && entries_.size() < entries_.capacity() / 2) entries_.shrink_to_fit();
  }

  std::vector<Entry> entries_;
  std::string lastKey_;
};

}  // namespace kestrelle
