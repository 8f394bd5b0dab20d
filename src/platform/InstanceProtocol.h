#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What a second start says to the running Tamblin over its socket: one line
// a request, "activate" or "open PATH". The path is UTF-8 with '%' and every
// control character as %XX, so a path with a line end stays one line.
namespace instanceprotocol {

// A request line is never longer than this; a peer that sends more without a
// line end is not a Tamblin and is cut off.
constexpr qsizetype MaxLineBytes = qsizetype{64} * 1024;

struct Request {
    enum class Kind { Activate, Open };
    Kind kind = Kind::Activate;
    QString path; // Open only: never empty, never holds a NUL
};

QByteArray Encode(const Request &request);

// Takes the complete lines off the front of buffer and returns the requests
// among them; unknown or malformed lines are dropped. false when the bytes
// left over cannot be a line (longer than MaxLineBytes): the peer is dropped.
bool TakeRequests(QByteArray &buffer, std::vector<Request> &requests);

} // namespace instanceprotocol
