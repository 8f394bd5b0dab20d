// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What a second start says to the running Tamblin over its socket: one line
// a request, "activate", "open PATH", or "open-at CAPO TRANSPOSED TRANSPOSE
// PATH" for a sheet to show at a capo (-1: its own) and, when TRANSPOSED is
// 1, a transposition. The path is UTF-8 with '%' and every control
// character as %XX, so a path with a line end stays one line.
namespace instanceprotocol {

// A request line is never longer than this; a peer that sends more without a
// line end is not a Tamblin and is cut off.
constexpr qsizetype MaxLineBytes = qsizetype{64} * 1024;

struct Request {
    enum class Kind { Activate, Open };
    Kind kind = Kind::Activate;
    QString path;  // Open only: never empty, never holds a NUL
    int capo = -1; // Open: 0 to 9, or -1 for the sheet's own
    bool transposed = false;
    int transpose = 0; // -11 to 11
};

QByteArray Encode(const Request &request);

// Takes the complete lines off the front of buffer and returns the requests
// among them; unknown or malformed lines are dropped. false when the bytes
// left over cannot be a line (longer than MaxLineBytes): the peer is dropped.
bool TakeRequests(QByteArray &buffer, std::vector<Request> &requests);

} // namespace instanceprotocol
