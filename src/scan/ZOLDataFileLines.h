// Building the lines of a data file (without their CR LF), shared by the data-file writers,
// the fast access writer and the exports:
//   "V|5"                       version
//   "P|" path-line text         path
//   "H|" key "|" ...            header: the switched-on fields in id order
//   "I|FILE_ID|" key "|" ...    song header (style mode)
//   "D|" value "|" ...          one record
//   "S|" file id "|" value "|"  one song of the record before
// Values carry no separator and no control byte: "|", bytes below 32 except TAB, 127 and 255
// are written as blanks.
#pragma once

#include <string>
#include <string_view>

#include "records/ZOLDataPacket.h"
#include "scan/ZOLDataFileColumns.h"
#include "support/NUVStatus.h"

namespace kelvane {

// Appends `text` with the bytes a line cannot carry replaced by blanks.
void AppendLineSafe(std::string& line, std::string_view text);

std::string VersionLine();
// The path-line text is made line-safe too, keeping its length.
std::string PathLine(std::string_view text);

// Each returns 0, or an internal-error status (a field without key or of a type that cannot be
// written, reported at ERROR level); the line is then incomplete.
StatusCode BuildHeaderLine(std::string& line, const StyleFieldSwitches& switches);
StatusCode BuildSongHeaderLine(std::string& line, const SongFieldSwitches& switches);
StatusCode BuildDataLine(std::string& line, const StyleDataPacket& record,
                         const StyleFieldSwitches& switches);
StatusCode BuildSongDataLine(std::string& line, const SongDataPacket& song, int parentFileId,
                             const SongFieldSwitches& switches);

}  // namespace kelvane
