// Fault points: the named places in the program where a test can make an operation fail as the
// system would make it fail (a full medium, a failed rename, memory that runs out), to prove
// that such a failure leaves every file as it was. This is the only way tests reach into the
// program's failure paths; there are no other test switches.
//
// A test arms a point for its scope:
//
//     ArmedFault full(FaultPoint::AtomicFileWrite, 3);  // the third write from now fails
//     EXPECT_EQ(WriteStyleDataFile(...), status::kDataFileWrite);
//
// and the point is disarmed when `full` goes out of scope (or on Disarm()). The code at a point
// asks FaultDue / TakeFaultValue / FaultArmed; in a normal run nothing is armed and a question
// costs one atomic load. Armed points are seen by every thread (scans, copies and imports run on
// a worker), and asking never changes anything but the asked point's own countdown, so the
// analysis may ask from any number of threads at once.
#pragma once

#include "platform/NonCopyable.h"

namespace kelvane {

enum class FaultPoint {
    // Value n: the n-th CNuvAtomicFile::Write / WriteLine from now on (1 = the next) fails as
    // if the medium were full (ENOSPC), in any writer of the process.
    AtomicFileWrite,
    // Value n: the next append to a move file (AppendToMoveFile) writes only n bytes of its
    // block and then fails as if the medium were full.
    MoveFileAppend,
    // The next MDB write into a style file (WriteMdbIntoFile) fails at this step.
    MdbCreateTemp,
    MdbOpenStyleFile,
    MdbCopyHead,
    MdbWriteSection,
    MdbCopyTail,
    MdbCloseTemp,
    MdbRenameAway,
    MdbRenameIn,
    // While armed, the tweak array (CZOLTweak) cannot grow, as when memory runs out.
    TweakGrowth,
};

// Arms `point` with `value` (a count or a size, see FaultPoint) until destroyed or disarmed.
// One test arms a given point at a time; arming an armed point replaces its value.
class ArmedFault : NonCopyable {
  public:
    explicit ArmedFault(FaultPoint point, long value = 1);
    ~ArmedFault();

    void Disarm();

  private:
    FaultPoint point_;
    bool armed_ = true;
};

// Counts down an armed count: true for the call that brings it to zero (the point is then
// disarmed), false before and for a point that is not armed.
bool FaultDue(FaultPoint point);

// The armed value of `point`, which is disarmed by taking it; -1 when not armed.
long TakeFaultValue(FaultPoint point);

// True while `point` is armed; nothing is counted.
bool FaultArmed(FaultPoint point);

}  // namespace kelvane
