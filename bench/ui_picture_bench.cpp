// bench/run picture (ui_picture_bench): the detail pane's work for one file, a generated style of
// about 1 MB (common/LargeStyle.h) — the file read again into its picture (notes, sections, facts)
// and the picture drawn offscreen into an image of the pane's default size. The reference is the
// 100 ms in which the pane must follow the list; each step's median goes to standard error.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/BenchTiming.h"
#include "common/LargeStyle.h"
#include "picture/FilePicture.h"
#include "ui/PicturePainter.h"

namespace {

using namespace kelvane;

constexpr int kRuns = 15;
constexpr int64_t kStyleBytes = 1'000'000;
constexpr double kReferenceSeconds = 0.1;
// The picture's part of the pane in an 800 x 600 window (the facts take the rest).
constexpr QSize kPaneCanvas(560, 220);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/large.sty";
    const std::string bytes = bench::LargeStyleBytes(kStyleBytes);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    std::vector<double> total;
    std::vector<double> reads;
    std::vector<double> draws;
    std::size_t notes = 0;
    for (int run = 0; run < kRuns; ++run) {
        FilePicture picture;
        QImage image(kPaneCanvas, QImage::Format_ARGB32_Premultiplied);
        const double read =
            bench::TimeSeconds([&] { picture = ReadFilePicture(path, PictureKind::kStyle); });
        const double draw = bench::TimeSeconds([&] {
            QPainter painter(&image);
            PaintPicture(painter, picture, image.rect(), WholePicture(picture));
        });
        if (!picture.readable) {
            std::fprintf(stderr, "picture: the generated style cannot be read: %s\n",
                         picture.problem.c_str());
            return 1;
        }
        notes = 0;
        for (const PictureLane& lane : picture.lanes) {
            notes += lane.notes.size();
        }
        reads.push_back(read);
        draws.push_back(draw);
        total.push_back(read + draw);
    }
    std::fprintf(stderr, "picture: %zu bytes, %zu notes; read %.4f s, draw %.4f s\n", bytes.size(),
                 notes, bench::Median(reads), bench::Median(draws));
    bench::PrintResult("picture", bench::Median(total), kReferenceSeconds);
    return 0;
}
