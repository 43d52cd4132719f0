#include "audition/SoundFontSearch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "support/NUVLang.h"

namespace kelvane {
namespace {

bool IsSoundFontName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".sf2";
}

bool IsReadableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string FirstInFolder(const std::string& folder) {
    std::error_code error;
    std::vector<std::string> found;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (IsSoundFontName(it->path()) && IsReadableFile(it->path())) {
            found.push_back(it->path().string());
        }
    }
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front();
}

}  // namespace

std::vector<std::string> DefaultSoundFontPlaces() {
    return {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
            "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/",
            "/usr/share/soundfonts/"};
}

std::string FindSoundFont(const std::string& configured, const std::vector<std::string>& places) {
    if (!configured.empty()) {
        return configured;
    }
    for (const std::string& place : places) {
        if (!place.empty() && place.back() == '/') {
            if (std::string found = FirstInFolder(place); !found.empty()) {
                return found;
            }
        } else if (IsReadableFile(place)) {
            return place;
        }
    }
    return {};
}

std::string NoSoundFontMessage() {
    return Translate(
        "No SoundFont found. Install the package fluid-soundfont-gm or name a SoundFont "
        "(.sf2) file.");
}

}  // namespace kelvane
