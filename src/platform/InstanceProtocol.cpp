#include "platform/InstanceProtocol.h"

namespace instanceprotocol {

namespace {

const QByteArray kActivate = "activate";
const QByteArray kOpen = "open ";

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
        if (line == kActivate) {
            requests.push_back({Request::Kind::Activate, {}});
        } else if (line.startsWith(kOpen)) {
            const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(5)));
            // A NUL would cut the name short in every call that takes it.
            if (!path.isEmpty() && !path.contains(QChar(0))) {
                requests.push_back({Request::Kind::Open, path});
            }
        }
    }
    buffer.remove(0, start);
    return buffer.size() <= MaxLineBytes;
}

} // namespace instanceprotocol
