// SPDX-License-Identifier: GPL-3.0-or-later
// The running instance's side of its socket on arbitrary bytes, fed in two
// pieces: every request it takes is well formed, what it keeps is bounded,
// and a path it is sent comes back the same.
#include "platform/InstanceProtocol.h"

#include <cstdint>
#include <cstdlib>

using instanceprotocol::Request;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const QByteArray all(reinterpret_cast<const char *>(data + 1),
                         static_cast<qsizetype>(size - 1));
    const qsizetype cut = all.isEmpty() ? 0 : data[0] % (all.size() + 1);
    QByteArray buffer = all.left(cut);
    std::vector<Request> requests;
    bool open = instanceprotocol::TakeRequests(buffer, requests);
    buffer += all.mid(cut);
    open = instanceprotocol::TakeRequests(buffer, requests) && open;
    if (open && (buffer.size() > instanceprotocol::MaxLineBytes || buffer.contains('\n'))) {
        std::abort();
    }
    for (const Request &r : requests) {
        if (r.kind == Request::Kind::Open && (r.path.isEmpty() || r.path.contains(QChar(0)))) {
            std::abort();
        }
    }
    // The bytes read as a path travel whole.
    const QString path = QString::fromUtf8(all);
    if (!path.isEmpty() && !path.contains(QChar(0))) {
        QByteArray wire = instanceprotocol::Encode({Request::Kind::Open, path});
        std::vector<Request> back;
        if (!instanceprotocol::TakeRequests(wire, back) || back.size() != 1 ||
            back[0].path != path) {
            std::abort();
        }
    }
    return 0;
}
