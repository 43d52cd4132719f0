// Folder enumeration with the wildcard rules of the platform the program was first made for:
// "*" any run of characters, "?" one character (at a "." or the end of the name it may match
// nothing, so "name.???" takes extensions of up to three characters), "*.*" every name, "*."
// before an extension stops at the name's last ".". Names are compared exactly (the file
// system is case-sensitive). "." and "..", special files (pipes, sockets, devices) and
// dangling links are never listed.
#pragma once

#include <dirent.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/NonCopyable.h"

namespace kelvane {

// A name pattern compiled once and matched against many names.
class CNuvWildcard {
  public:
    explicit CNuvWildcard(std::string_view pattern = "*");
    bool Matches(std::string_view name) const;
    bool MatchesEverything() const { return kind_ == Kind::Everything; }
    bool HasWildcards() const { return kind_ != Kind::Literal; }

  private:
    enum class Kind { Everything, Literal, Suffix, General };
    enum class Token : char { Literal, Star, DosStar, DosQm, DosDot };
    struct Item {
        Token token;
        char ch;
    };
    bool MatchGeneral(std::string_view name) const;

    Kind kind_ = Kind::Everything;
    std::string text_;  // the literal name (Literal) or the required ending (Suffix)
    std::vector<Item> items_;
};

inline bool WildcardMatch(std::string_view pattern, std::string_view name) {
    return CNuvWildcard(pattern).Matches(name);
}

struct FindEntry {
    std::string name;
    bool isFolder = false;
    bool isLink = false;  // reached through a symbolic link
};

// One enumeration of the entries of a folder that match a pattern ("folder/pattern").
class CNuvFindFile : NonCopyable {
  public:
    CNuvFindFile() = default;
    ~CNuvFindFile();

    // The first matching entry. Failures: FileNotFound (the folder has no match),
    // PathNotFound, AccessDenied, InvalidName, Other.
    PlatformStatus First(const std::string& pattern, FindEntry& entry);
    // The next matching entry; NoMoreFiles at the end.
    PlatformStatus Next(FindEntry& entry);
    void Close();

    // Size, time and attributes of the entry last returned.
    PlatformStatus Details(FileDetails& details) const;
    // A Windows-style attribute number for trace lines (1 read-only, 2 hidden, 16 folder,
    // 128 normal); 0 when the entry cannot be examined.
    unsigned Attributes(const FindEntry& entry) const;

  private:
    bool Accept(const dirent& item, FindEntry& entry) const;

    DIR* dir_ = nullptr;
    std::string folder_;  // with a trailing "/", or empty for the current folder
    CNuvWildcard wildcard_;
    std::string current_;
    bool single_ = false;  // a pattern without wildcards: one lookup, no listing
    bool singleDone_ = false;
};

}  // namespace kelvane
