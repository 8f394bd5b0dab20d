// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InstanceProtocol.h"

#include <QList>

namespace instanceprotocol {

namespace {

const QByteArray kActivate = "activate";
const QByteArray kOpen = "open ";
const QByteArray kOpenAt = "open-at ";

QByteArray EscapePath(const QString &path) {
    const QByteArray utf8 = path.toUtf8();
    QByteArray out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '%') {
            out += '%';
            out += QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QByteArray Encode(const Request &request) {
    if (request.kind == Request::Kind::Open && (request.capo >= 0 || request.transposed)) {
        return kOpenAt + QByteArray::number(request.capo) + ' ' +
               QByteArray::number(request.transposed ? 1 : 0) + ' ' +
               QByteArray::number(request.transpose) + ' ' + EscapePath(request.path) + '\n';
    }
    if (request.kind == Request::Kind::Open) {
        return kOpen + EscapePath(request.path) + '\n';
    }
    return kActivate + '\n';
}

bool TakeRequests(QByteArray &buffer, std::vector<Request> &requests) {
    qsizetype start = 0;
    for (qsizetype end = buffer.indexOf('\n'); end >= 0; end = buffer.indexOf('\n', start)) {
        const QByteArray line = buffer.mid(start, end - start);
        start = end + 1;
        if (line.size() > MaxLineBytes) {
            continue;
        }
        Request r;
        QByteArray escaped;
        if (line == kActivate) {
            requests.push_back(r);
            continue;
        }
        if (line.startsWith(kOpen)) {
            escaped = line.mid(kOpen.size());
        } else if (line.startsWith(kOpenAt)) {
            const QList<QByteArray> fields = line.mid(kOpenAt.size()).split(' ');
            bool ok[3] = {};
            if (fields.size() < 4) {
                continue;
            }
            r.capo = fields[0].toInt(&ok[0]);
            const int transposed = fields[1].toInt(&ok[1]);
            r.transpose = fields[2].toInt(&ok[2]);
            r.transposed = transposed == 1;
            if (!ok[0] || !ok[1] || !ok[2] || r.capo < -1 || r.capo > 9 || transposed < 0 ||
                transposed > 1 || r.transpose < -11 || r.transpose > 11) {
                continue;
            }
            escaped = line.mid(kOpenAt.size() + fields[0].size() + fields[1].size() +
                               fields[2].size() + 3);
        } else {
            continue;
        }
        r.kind = Request::Kind::Open;
        r.path = QString::fromUtf8(QByteArray::fromPercentEncoding(escaped));
        // A NUL would cut the name short in every call that takes it.
        if (!r.path.isEmpty() && !r.path.contains(QChar(0))) {
            requests.push_back(r);
        }
    }
    buffer.remove(0, start);
    return buffer.size() <= MaxLineBytes;
}

} // namespace instanceprotocol
