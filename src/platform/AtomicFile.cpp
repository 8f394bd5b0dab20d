// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kRandomChars = 6;
constexpr int kAttempts = 100;

QString RandomName() {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString out;
    for (int i = 0; i < kRandomChars; ++i) {
        out += QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)]);
    }
    return out;
}

// The reasons a user can act on, in their words; the system's text otherwise.
QString Reason(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("ディスクに空きがありません");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限を越えました");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みが許可されていません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("フォルダーがありません");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダーがあります");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

bool IsTemporaryTail(const QString &tail) {
    return tail.size() == kRandomChars && std::all_of(tail.begin(), tail.end(), [](QChar c) {
               return c.unicode() < 128 && c.isLetterOrNumber();
           });
}

} // namespace

// The temporary's descriptor, with a buffer of its own; the first write that
// fails keeps its errno, which a QFile would not tell.
class AtomicFileDevice final : public QIODevice {
public:
    explicit AtomicFileDevice(int fd) : m_fd(fd) { open(QIODevice::WriteOnly); }
    ~AtomicFileDevice() override { ::close(m_fd); }
    AtomicFileDevice(const AtomicFileDevice &) = delete;
    AtomicFileDevice &operator=(const AtomicFileDevice &) = delete;

    int Handle() const { return m_fd; }
    int Error() const { return m_errno; }
    bool Flush() {
        const char *data = m_buffer.constData();
        qsizetype left = m_buffer.size();
        while (left > 0 && m_errno == 0) {
            const ssize_t n = ::write(m_fd, data, static_cast<size_t>(left));
            if (n < 0 && errno != EINTR) {
                m_errno = errno;
            } else if (n > 0) {
                data += n;
                left -= n;
            }
        }
        m_buffer.clear();
        return m_errno == 0;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override {
        if (m_errno != 0) {
            return -1;
        }
        m_buffer.append(data, static_cast<qsizetype>(len));
        if (m_buffer.size() >= kBufferBytes && !Flush()) {
            return -1;
        }
        return len;
    }

private:
    static constexpr qsizetype kBufferBytes = qsizetype{64} * 1024;
    int m_fd;
    int m_errno = 0;
    QByteArray m_buffer;
};

AtomicFile::AtomicFile(const QString &path, const QString &suffix, int newMode)
    : m_path(QFileInfo(path).absoluteFilePath()), m_suffix(suffix), m_newMode(newMode) {}

AtomicFile::~AtomicFile() {
    Cancel();
}

void AtomicFile::Fail(int error) {
    m_error = Reason(error);
    Cancel();
}

bool AtomicFile::Open() {
    Cancel();
    m_error.clear();
    const QByteArray target = QFile::encodeName(m_path);
    for (int i = 0; i < kAttempts; ++i) {
        const QString name = m_path + u'.' + RandomName() + m_suffix;
        // Less the umask, as any new file of the user's.
        const int fd = ::open(QFile::encodeName(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                              static_cast<mode_t>(m_newMode));
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            m_error = Reason(errno);
            return false;
        }
        // A plain file keeps its mode when replaced; a link's target is
        // not ours to copy from.
        struct stat st {};
        if (::lstat(target.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
            (void)::fchmod(fd, st.st_mode & 07777);
        }
        m_temporary = name;
        m_file = std::make_unique<AtomicFileDevice>(fd);
        return true;
    }
    m_error = Reason(EEXIST);
    return false;
}

bool AtomicFile::Commit() {
    if (m_temporary.isEmpty()) {
        if (m_error.isEmpty()) {
            m_error = Reason(EBADF);
        }
        return false;
    }
    // A write that failed on the way (a full disk) left its error behind.
    if (!m_file->Flush()) {
        Fail(m_file->Error());
        return false;
    }
    if (::fsync(m_file->Handle()) != 0) {
        Fail(errno);
        return false;
    }
    m_file.reset();
    // rename replaces a link at the path, never its target.
    if (::rename(QFile::encodeName(m_temporary).constData(),
                 QFile::encodeName(m_path).constData()) != 0) {
        Fail(errno);
        return false;
    }
    m_temporary.clear();
    // The rename itself is on disk once the folder is.
    const int dir = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

QIODevice &AtomicFile::Device() {
    return *m_file;
}

void AtomicFile::Cancel() {
    m_file.reset();
    if (!m_temporary.isEmpty()) {
        ::unlink(QFile::encodeName(m_temporary).constData());
        m_temporary.clear();
    }
}

void AtomicFile::RemoveStale(const QString &path, const QString &suffix, const QDateTime &before) {
    const QFileInfo info(path);
    const QString prefix = info.fileName() + u'.';
    const QDir dir = info.absoluteDir();
    const QString pattern = prefix + QString(kRandomChars, u'?') + suffix;
    for (const QString &name :
         dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(prefix) || !name.endsWith(suffix) ||
            !IsTemporaryTail(name.mid(prefix.size(), kRandomChars))) {
            continue;
        }
        const QFileInfo stale(dir.filePath(name));
        if (!stale.isSymLink() && stale.lastModified() < before) {
            QFile::remove(stale.filePath());
        }
    }
}
