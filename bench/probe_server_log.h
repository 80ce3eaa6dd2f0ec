// A second, independent clock on the programs under test: the X server's
// own. Through the RECORD extension the server copies to us, stamped with its
// time in milliseconds as it dispatches them, every new client's connection
// and every request that maps a window or puts a picture into one (PutImage,
// CopyArea, MIT-SHM's ShmPutImage). Nothing is read back from the program's
// windows and nothing waits on our event handling: the stamps say when the
// server received the program's first picture of a window.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class ServerLog {
  public:
    // `control` is the probe's own connection; the log opens a second one.
    explicit ServerLog(Display* control);
    ~ServerLog();
    ServerLog(const ServerLog&) = delete;
    ServerLog& operator=(const ServerLog&) = delete;

    // Server times of what the client owning `window` did, from the latest
    // record of its connection on: connecting, asking to map `window`, and
    // its first picture put into `window` after that.
    struct Steps {
        std::optional<std::uint32_t> connected, mapRequested, firstPicture;
    };
    Steps StepsOf(Window window);

    // Forgets what was logged so far (between runs).
    void Clear();

  private:
    enum class Kind : std::uint8_t { Connected, Map, Picture };
    struct Entry {
        std::uint32_t serverMs;
        Kind kind;
        XID id; // the client's resource base, or the window drawn into or mapped
    };

    static void OnData(XPointer self, XRecordInterceptData* data);
    void Add(const XRecordInterceptData& data);

    Display* control_;
    Display* data_ = nullptr;
    XRecordContext context_ = 0;
    XID baseMask_ = 0;
    int shmOpcode_ = -1;
    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::thread reader_;
};
