// The facts beside a file's picture as rich text for a label: tempo, time signature, the
// sections, the Music Finder songs (style) or the length and lyrics (song), and the problems
// the analysis found. Texts translated.
#pragma once

#include <QString>

namespace kelvane {

struct FilePicture;

QString PictureFactsHtml(const FilePicture& picture);

}  // namespace kelvane
