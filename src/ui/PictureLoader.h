// Reads the pictures of files off the user-interface thread. One worker reads the latest
// request only: a request still waiting when a newer one comes is dropped, and a picture that
// arrives after a newer request is not handed on, so a quick walk down the list never waits
// for the files it passed. The last few pictures are kept (by path, size and modification
// time), so going back to a file shows it at once.
#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/DetailPaneTarget.h"
#include "platform/NonCopyable.h"

namespace kelvane {

class PictureLoader final : public QObject, NonCopyable {
    Q_OBJECT

  public:
    using Picture = std::shared_ptr<const FilePicture>;
    using Handler = std::function<void(const PictureTarget&, const Picture&)>;

    // `loaded` runs on the thread that owns the loader, for the latest request only.
    explicit PictureLoader(Handler loaded, QObject* parent = nullptr);
    ~PictureLoader() override;

    void Request(const PictureTarget& target);
    const PictureTarget& Latest() const { return latest_; }

  private:
    struct Entry {
        PictureTarget target;
        int64_t size = 0;
        int64_t modified = 0;
        Picture picture;
    };
    void Work();
    Picture Read(const PictureTarget& target);

    Handler loaded_;
    PictureTarget latest_;  // user-interface thread
    std::mutex lock_;
    std::condition_variable wake_;
    std::optional<PictureTarget> pending_;
    bool stop_ = false;
    std::list<Entry> cache_;  // worker thread only, most recent first
    std::thread worker_;
};

}  // namespace kelvane
