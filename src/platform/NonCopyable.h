// The base of a class whose objects must not be copied or moved: owners of a resource (a file,
// a thread, a pool), objects that are installed or registered by address, scoped guards.
// `class CNuvLog : NonCopyable {` says so in the class head.
#pragma once

namespace kelvane {

class NonCopyable {
  public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

  protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

}  // namespace kelvane
