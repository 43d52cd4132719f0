#include "audition/WavWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "support/NUVFormat.h"
#include "support/NUVTranslateFormat.h"

namespace kelvane {
namespace {

void Le16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Le32(std::string& out, uint32_t value) {
    Le16(out, value & 0xFFFF);
    Le16(out, value >> 16);
}

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;

}  // namespace

std::string WavHeader(int64_t frames, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(frames * kChannels * kBytesPerSample);
    std::string header = "RIFF";
    Le32(header, 36 + dataBytes);
    header += "WAVEfmt ";
    Le32(header, 16);
    Le16(header, 1);  // PCM
    Le16(header, kChannels);
    Le32(header, static_cast<uint32_t>(sampleRate));
    Le32(header, static_cast<uint32_t>(sampleRate * kChannels * kBytesPerSample));
    Le16(header, kChannels * kBytesPerSample);
    Le16(header, 8 * kBytesPerSample);
    header += "data";
    Le32(header, dataBytes);
    return header;
}

bool WavWriter::Open(const std::string& path, int64_t frames, int sampleRate,
                     std::string& problem) {
    path_ = path;
    promised_ = std::clamp<int64_t>(frames, 0, kMaxWavFrames);
    written_ = 0;
    if (!file_.Open(path, false) || !file_.Write(WavHeader(promised_, sampleRate))) {
        return Fail(problem);
    }
    return true;
}

bool WavWriter::Write(std::span<const int16_t> samples, std::string& problem) {
    const int64_t frames = static_cast<int64_t>(samples.size() / kChannels);
    if (frames > promised_ - written_) {
        samples = samples.first(static_cast<size_t>((promised_ - written_) * kChannels));
    }
    // Little-endian samples, whatever the machine.
    std::string bytes(samples.size() * kBytesPerSample, '\0');
    for (size_t i = 0; i < samples.size(); ++i) {
        const auto value = static_cast<uint16_t>(samples[i]);
        bytes[2 * i] = static_cast<char>(value & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(value >> 8);
    }
    if (!file_.Write(bytes)) {
        return Fail(problem);
    }
    written_ += static_cast<int64_t>(samples.size() / kChannels);
    return true;
}

bool WavWriter::Commit(std::string& problem) {
    if (written_ != promised_) {
        file_.Abandon();
        problem =
            StrFormat(TranslateFormat("The file %s could not be written.").c_str(), path_.c_str());
        return false;
    }
    if (!file_.Commit()) {
        return Fail(problem);
    }
    return true;
}

bool WavWriter::Fail(std::string& problem) {
    const int error = file_.Error();
    file_.Abandon();
    problem = StrFormat(TranslateFormat("The file %s could not be written (%s).").c_str(),
                        path_.c_str(), std::strerror(error != 0 ? error : EIO));
    return false;
}

}  // namespace kelvane
