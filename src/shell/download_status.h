#pragma once

#include <cstdint>

namespace kelton {

// Outcome of one queued download, as the downloader's GetDown and
// GetDownWait report it (shell/net/downloader.h).
namespace DownloadStatus {
inline constexpr int16_t Waiting = 0;
inline constexpr int16_t Connecting = 1;
inline constexpr int16_t Receiving = 2;    // the request is sent, the response is arriving
inline constexpr int16_t Done = 3;         // the whole body is in memory or in the target file
inline constexpr int16_t Failed = -1;      // no connection, or time-out
inline constexpr int16_t TooLarge = -2;    // the body is longer than a download may hold
inline constexpr int16_t Refused = -3;     // not status 200, a response that cannot be read, or the
                                           // request or the target file failed
inline constexpr int16_t Cancelled = -4;   // CancelDown
inline constexpr int16_t HandedOver = -5;  // the outcome has been handed to the client
inline constexpr int16_t CutOff = -6;      // the connection ended before the whole response had arrived
}  // namespace DownloadStatus

}  // namespace kelton
