#include "list/ZOLConditionPacket.h"

namespace kelvane {

ConditionPacket* ConditionPacketPool::Acquire() {
    ConditionPacket* packet = nullptr;
    if (!free_.empty()) {
        packet = free_.back();
        free_.pop_back();
    } else if (storage_.size() < kMaxPackets) {
        packet = &storage_.emplace_back();
    } else {
        return nullptr;
    }
    // Reused packets keep the capacity of their text and child list.
    packet->connector = kConnectorAnd;
    packet->negate = 0;
    packet->nodeKind = kNodeCondition;
    packet->children.clear();
    packet->compareKind = CompareKind::Any;
    packet->textValue.clear();
    packet->numberValue = 0;
    return packet;
}

// Iterative, so that a deeply nested expression cannot exhaust the stack.
void ConditionPacketPool::Release(ConditionPacket* packet) {
    if (packet == nullptr) {
        return;
    }
    releasing_.clear();
    releasing_.push_back(packet);
    while (!releasing_.empty()) {
        ConditionPacket* current = releasing_.back();
        releasing_.pop_back();
        releasing_.insert(releasing_.end(), current->children.begin(), current->children.end());
        current->children.clear();
        free_.push_back(current);
    }
}

void ConditionPacketPool::ReleaseList(ConditionList& list) {
    for (ConditionPacket* packet : list) {
        Release(packet);
    }
    list.clear();
}

}  // namespace kelvane
