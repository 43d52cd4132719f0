#include "ui/PictureLoader.h"

#include <sys/stat.h>

#include <QMetaObject>

namespace kelvane {
namespace {

constexpr std::size_t kCachedPictures = 6;

}  // namespace

PictureLoader::PictureLoader(Handler loaded, QObject* parent)
    : QObject(parent), loaded_(std::move(loaded)), worker_([this] { Work(); }) {}

PictureLoader::~PictureLoader() {
    {
        const std::lock_guard guard(lock_);
        stop_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void PictureLoader::Request(const PictureTarget& target) {
    latest_ = target;
    {
        const std::lock_guard guard(lock_);
        pending_ = target;
    }
    wake_.notify_one();
}

void PictureLoader::Work() {
    for (;;) {
        PictureTarget target;
        {
            std::unique_lock guard(lock_);
            wake_.wait(guard, [this] { return stop_ || pending_.has_value(); });
            if (stop_) {
                return;
            }
            target = std::move(*pending_);
            pending_.reset();
        }
        Picture picture = Read(target);
        // Posted to the loader's own thread; dropped with the loader when it is gone first.
        QMetaObject::invokeMethod(
            this,
            [this, target, picture = std::move(picture)] {
                if (target == latest_) {
                    loaded_(target, picture);
                }
            },
            Qt::QueuedConnection);
    }
}

PictureLoader::Picture PictureLoader::Read(const PictureTarget& target) {
    if (target.path.empty()) {
        return nullptr;
    }
    struct stat info {};
    const bool known = ::stat(target.path.c_str(), &info) == 0;
    const int64_t size = known ? static_cast<int64_t>(info.st_size) : -1;
    const int64_t modified =
        known ? static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec
              : -1;
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->target == target && it->size == size && it->modified == modified && known) {
            cache_.splice(cache_.begin(), cache_, it);
            return cache_.front().picture;
        }
    }
    auto picture = std::make_shared<const FilePicture>(ReadFilePicture(target.path, target.kind));
    if (known) {
        cache_.push_front(Entry{target, size, modified, picture});
        if (cache_.size() > kCachedPictures) {
            cache_.pop_back();
        }
    }
    return picture;
}

}  // namespace kelvane
