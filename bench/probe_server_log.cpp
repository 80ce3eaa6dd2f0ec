#include "probe_server_log.h"

#include <X11/Xproto.h>

#include <cstring>
#include <stdexcept>

namespace {

constexpr int kShmPutImage = 3; // MIT-SHM's minor opcode

std::uint32_t Card32(const unsigned char* bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value; // the server and we share this machine's byte order
}

} // namespace

ServerLog::ServerLog(Display* control) : control_(control) {
    int major = 0, minor = 0;
    if (!XRecordQueryVersion(control_, &major, &minor))
        throw std::runtime_error("the X server has no RECORD");
    int event = 0, error = 0;
    if (!XQueryExtension(control_, "MIT-SHM", &shmOpcode_, &event, &error))
        shmOpcode_ = -1;
    baseMask_ = XRecordIdBaseMask(control_);
    data_ = XOpenDisplay(DisplayString(control_));
    if (data_ == nullptr)
        throw std::runtime_error("cannot open a second connection for RECORD");

    XRecordRange* ranges[3] = {XRecordAllocRange(), XRecordAllocRange(), XRecordAllocRange()};
    ranges[0]->core_requests = {X_MapWindow, X_MapWindow};
    ranges[0]->client_started = True;
    ranges[1]->core_requests = {X_CopyArea, X_CopyArea};
    ranges[2]->core_requests = {X_PutImage, X_PutImage};
    if (shmOpcode_ >= 0) {
        ranges[2]->ext_requests.ext_major = {std::uint8_t(shmOpcode_), std::uint8_t(shmOpcode_)};
        ranges[2]->ext_requests.ext_minor = {kShmPutImage, kShmPutImage};
    }
    XRecordClientSpec clients = XRecordFutureClients;
    context_ = XRecordCreateContext(control_, XRecordFromServerTime, &clients, 1, ranges, 3);
    for (XRecordRange* range : ranges)
        XFree(range);
    if (context_ == 0)
        throw std::runtime_error("the X server refused a RECORD context");
    XSync(control_, False);
    // The data connection blocks in XRecordEnableContext until the context is
    // disabled, so it gets a thread of its own; it touches no other connection.
    reader_ =
        std::thread([this] { XRecordEnableContext(data_, context_, OnData, XPointer(this)); });
}

ServerLog::~ServerLog() {
    XRecordDisableContext(control_, context_);
    XSync(control_, False);
    reader_.join();
    XRecordFreeContext(control_, context_);
    XCloseDisplay(data_);
}

void ServerLog::OnData(XPointer self, XRecordInterceptData* data) {
    reinterpret_cast<ServerLog*>(self)->Add(*data);
    XRecordFreeData(data);
}

void ServerLog::Add(const XRecordInterceptData& data) {
    if (data.category == XRecordClientStarted) {
        std::lock_guard lock(mutex_);
        entries_.push_back({std::uint32_t(data.server_time), Kind::Connected, data.id_base});
        return;
    }
    if (data.category != XRecordFromClient || data.data_len < 2)
        return;
    const unsigned char* request = data.data;
    // A request longer than 256 KB carries a zero length and a 32-bit one
    // after it (BIG-REQUESTS), moving its fields along by four bytes.
    const std::size_t shift = (request[2] | request[3]) == 0 ? 4 : 0;
    const std::size_t bytes = std::size_t(data.data_len) * 4;
    Kind kind = Kind::Picture;
    std::size_t field = 4 + shift; // the window mapped or drawn into
    if (request[0] == X_MapWindow)
        kind = Kind::Map;
    else if (request[0] == X_CopyArea)
        field = 8 + shift; // the destination
    else if (request[0] != X_PutImage && !(request[0] == shmOpcode_ && request[1] == kShmPutImage))
        return;
    if (bytes < field + 4)
        return;
    std::lock_guard lock(mutex_);
    entries_.push_back({std::uint32_t(data.server_time), kind, Card32(request + field)});
}

ServerLog::Steps ServerLog::StepsOf(Window window) {
    std::lock_guard lock(mutex_);
    Steps steps;
    const XID base = window & baseMask_;
    std::size_t from = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].kind == Kind::Connected && entries_[i].id == base) {
            steps.connected = entries_[i].serverMs;
            from = i; // resource bases are reused: the latest connection is the program's
        }
    for (std::size_t i = from; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (entry.id != window)
            continue;
        if (entry.kind == Kind::Map && !steps.mapRequested)
            steps.mapRequested = entry.serverMs;
        else if (entry.kind == Kind::Picture && steps.mapRequested) {
            steps.firstPicture = entry.serverMs;
            break;
        }
    }
    return steps;
}

void ServerLog::Clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}
