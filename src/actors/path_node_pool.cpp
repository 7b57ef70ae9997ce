// Nodes are small, many and short-lived: every search hands out a node per path cell
// and the walking code deletes them one by one. A free list per thread makes both
// ends a couple of pointer moves. Blocks are kept until the program ends (reachable
// from a global, so leak checkers see them as held, not lost), which lets a node be
// freed on any thread. Sanitizer builds keep the ordinary allocator so that leaks and
// use-after-free of single nodes are still caught.
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "actors/maze_grid.h"

#if defined(__SANITIZE_ADDRESS__)
#define GLUMBO_PLAIN_NODE_ALLOCATION 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GLUMBO_PLAIN_NODE_ALLOCATION 1
#endif
#endif

#ifndef GLUMBO_PLAIN_NODE_ALLOCATION
namespace {

union Slot {
  Slot* next;
  alignas(PathNode) unsigned char bytes[sizeof(PathNode)];
};

constexpr std::size_t kSlotsPerBlock = 1024;

std::mutex& BlocksMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<Slot*>& Blocks() {
  static auto* blocks = new std::vector<Slot*>();  // never destroyed: nodes may outlive statics
  return *blocks;
}

thread_local Slot* freeSlots = nullptr;

Slot* NewBlock() {
  auto* block = static_cast<Slot*>(::operator new(sizeof(Slot) * kSlotsPerBlock));
  {
    std::lock_guard<std::mutex> lock(BlocksMutex());
    Blocks().push_back(block);
  }
  for (std::size_t i = 1; i + 1 < kSlotsPerBlock; ++i) block[i].next = &block[i + 1];
  block[kSlotsPerBlock - 1].next = nullptr;
  freeSlots = &block[1];
  return &block[0];
}

}  // namespace

void* PathNode::operator new(std::size_t size) {
  if (size != sizeof(PathNode)) return ::operator new(size);
  Slot* slot = freeSlots;
  if (slot == nullptr) return NewBlock();
  freeSlots = slot->next;
  return slot;
}

void PathNode::operator delete(void* node, std::size_t size) noexcept {
  if (node == nullptr) return;
  if (size != sizeof(PathNode)) {
    ::operator delete(node);
    return;
  }
  auto* slot = static_cast<Slot*>(node);
  slot->next = freeSlots;
  freeSlots = slot;
}

#else

void* PathNode::operator new(std::size_t size) { return ::operator new(size); }
void PathNode::operator delete(void* node, std::size_t) noexcept { ::operator delete(node); }

#endif
