// The list that a level keeps its items in. The list owns its array; the
// elements belong to the level and go with DestroyWithElements.
#pragma once

#include <cstdint>
#include <vector>

template <class T>
class ItemList {
 public:
  bool destroying = false;
  std::vector<T*> items;  // exactly count entries
  std::int32_t count = 0;

  void Append(T* item) {
    items.push_back(item);
    count = static_cast<std::int32_t>(items.size());
  }

  // No bounds check: callers pass 0 <= index < count.
  T* At(std::int32_t index) const { return items[static_cast<std::size_t>(index)]; }

  // Deletes every element and then the list itself, which must come from new.
  void DestroyWithElements() {
    destroying = true;
    for (T* item : items) delete item;
    items.clear();
    count = 0;
    delete this;
  }
};
