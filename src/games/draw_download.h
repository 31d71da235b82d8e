#pragma once

#include <cstdint>

#include <QString>

#include "games/draw_grid.h"

namespace kelton {

// Where the server information lies below a server address.
inline constexpr char kServerInfoPath[] = "SoftReg/KELT/Info.txt";

// Joins two pieces of an address with exactly one "/" between them.
QString JoinAddress(const QString& sLeft, const QString& sRight);

// The server information on a server.
QString ServerInfoAddress(const QString& sServer);

// The address the draws of a download source are fetched from: an address
// beginning with "http://" (any case) as it is; an empty one stays empty
// (and cannot be fetched); any other lies in the draw-data folder of the
// server: server, web path and address, joined.
QString DrawDataAddress(const QString& sServer, const QString& sWebPath, const QString& sAddress);

// What the user is told about a finished draw download: nothing (an empty
// text) after a cancel; otherwise a message with its title. For status 3,
// bodyBytes is the length of the body and read what ParseDrawText did with
// it through the source's number format.
struct DownloadReport {
    QString Title;
    QString Text;
};
DownloadReport DrawDownloadReport(int16_t status, qsizetype bodyBytes, const DrawTextRead& read,
                                  const QString& sFormat);

// The source chosen has no address: where to set one.
DownloadReport NoDownloadAddressReport();

// The activity marker of a running download: a short stroke that walks a
// track from left to right in steps of 10 twips, one step a tick, and
// starts again at the left once it has reached the right end. Positions in
// twips of the download panel.
struct DownloadMarker {
    static constexpr int kLeft = 120;
    static constexpr int kRight = 3600;
    static constexpr int kTrackY = 3000;
    static constexpr int kStep = 10;
    static constexpr int kTickMs = 500;

    int X = kLeft;
    void Tick() { X = X >= kRight ? kLeft : X + kStep; }
    void Reset() { X = kLeft; }
};

} // namespace kelton
