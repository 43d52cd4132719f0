// One node of a parsed filter expression and the pool the filter object takes its nodes from.
// Packets are never freed while the program runs: a reset hands them back to the pool, and the
// next parse takes them from there before it asks for new ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/NonCopyable.h"

namespace kelvane {

// How a packet joins the verdict of the packets before it in its list.
inline constexpr int32_t kConnectorFirst = 1;
inline constexpr int32_t kConnectorOr = 2;
inline constexpr int32_t kConnectorAnd = 3;

// Node kinds; a closing parenthesis exists only while parsing and never sits in a list.
inline constexpr int32_t kNodeCondition = 1;
inline constexpr int32_t kNodeGroup = 2;
inline constexpr int32_t kNodeClosingParenthesis = 3;

enum class CompareKind : int32_t {
    Any = 1,         // text: every value passes
    StartsWith = 3,  // text
    EndsWith = 4,    // text
    Contains = 5,    // text
    Equal = 6,       // numbers and dates from here on
    NotEqual = 7,
    Less = 8,
    LessEqual = 9,
    Greater = 10,
    GreaterEqual = 11,
};

struct ConditionPacket {
    int32_t connector = kConnectorAnd;
    int32_t negate = 0;
    int32_t nodeKind = kNodeCondition;
    std::vector<ConditionPacket*> children;  // groups only
    CompareKind compareKind = CompareKind::Any;
    std::string textValue;    // text conditions: upper case, no wildcards; dates: as typed
    int32_t numberValue = 0;  // number conditions
    // Text "contains" conditions: how far the search may move on when the byte under the
    // pattern's last position is a given byte (case-folded, capped at 255). Built once at parse.
    std::array<unsigned char, 256> skip{};
};

using ConditionList = std::vector<ConditionPacket*>;

class ConditionPacketPool : NonCopyable {
  public:
    // The most packets one filter object holds at once: far beyond any typed filter, but it
    // keeps a pasted flood of words from growing memory without bound.
    static constexpr std::size_t kMaxPackets = 16384;

    ConditionPacketPool() = default;

    // A fresh packet (connector AND, no negation, a condition with no value), reused from the
    // free packets when there are any; nullptr when the limit is reached.
    ConditionPacket* Acquire();
    // Returns a packet and everything below it to the free packets.
    void Release(ConditionPacket* packet);
    // Returns every packet of the list (and below) and empties the list.
    void ReleaseList(ConditionList& list);

    std::size_t Allocated() const { return storage_.size(); }
    std::size_t FreeCount() const { return free_.size(); }

  private:
    std::deque<ConditionPacket> storage_;  // stable addresses; only ever grows
    std::vector<ConditionPacket*> free_;
    std::vector<ConditionPacket*> releasing_;  // work list of Release, kept for its capacity
};

}  // namespace kelvane
