#include "support/FaultPoints.h"

#include <atomic>
#include <cstddef>

namespace kelvane {
namespace {

constexpr std::size_t kPointCount = static_cast<std::size_t>(FaultPoint::TweakGrowth) + 1;

// Every point's armed value plus one; 0 while the point is not armed (so that the table needs
// no start-up code).
std::atomic<long>& Slot(FaultPoint point) {
    static std::atomic<long> slots[kPointCount];
    return slots[static_cast<std::size_t>(point)];
}

}  // namespace

ArmedFault::ArmedFault(FaultPoint point, long value) : point_(point) {
    Slot(point_).store((value < 0 ? 0 : value) + 1);
}

ArmedFault::~ArmedFault() {
    Disarm();
}

void ArmedFault::Disarm() {
    if (armed_) {
        Slot(point_).store(0);
        armed_ = false;
    }
}

bool FaultDue(FaultPoint point) {
    std::atomic<long>& slot = Slot(point);
    long stored = slot.load(std::memory_order_relaxed);
    // stored - 1 calls are left; the one that finds 2 (one left) is the failing call.
    while (stored > 1) {
        const long next = stored == 2 ? 0 : stored - 1;
        if (slot.compare_exchange_weak(stored, next)) {
            return stored == 2;
        }
    }
    return false;
}

long TakeFaultValue(FaultPoint point) {
    std::atomic<long>& slot = Slot(point);
    if (slot.load(std::memory_order_relaxed) == 0) {
        return -1;
    }
    return slot.exchange(0) - 1;
}

bool FaultArmed(FaultPoint point) {
    return Slot(point).load(std::memory_order_relaxed) != 0;
}

}  // namespace kelvane
