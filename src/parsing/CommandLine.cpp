#include "parsing/CommandLine.h"

#include <QFile>

namespace commandline {

Parsed Parse(const QList<QByteArray> &args) {
    Parsed out;
    QList<QByteArray> files;
    bool optionsEnded = false;
    for (const QByteArray &a : args) {
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--help" || a == "-h")) {
            // The first of --help and --version is the one answered.
            if (out.action == Action::Run) {
                out.action = Action::Help;
            }
        } else if (!optionsEnded && a == "--version") {
            if (out.action == Action::Run) {
                out.action = Action::Version;
            }
        } else if (!optionsEnded && a.startsWith('-') && a != "-") {
            return {Action::Refuse,
                    {},
                    QStringLiteral("知らないオプションです: %1").arg(QFile::decodeName(a))};
        } else if (a.isEmpty()) {
            return {Action::Refuse, {}, QStringLiteral("ファイル名が空です")};
        } else {
            files += a;
        }
    }
    if (files.size() > 1) {
        return {
            Action::Refuse,
            {},
            QStringLiteral("開けるファイルは一つだけです (%1 個指定されました)").arg(files.size())};
    }
    const QString file = files.isEmpty() ? QString() : QFile::decodeName(files.front());
    if (out.action == Action::Run) {
        out.file = file;
    } else if (!file.isEmpty()) {
        out.message = QStringLiteral("%1 を表示したので、ファイルは開きません: %2")
                          .arg(out.action == Action::Help ? QStringLiteral("--help")
                                                          : QStringLiteral("--version"),
                               file);
    }
    return out;
}

} // namespace commandline
