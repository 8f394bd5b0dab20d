// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/CommandLine.h"

#include <QFile>

namespace commandline {

namespace {

Parsed Refusal(const QString &why) {
    Parsed out;
    out.action = Action::Refuse;
    out.message = why;
    return out;
}

// "--name value" or "--name=value": the value, and how many arguments it took.
bool TakeValue(const QList<QByteArray> &args, qsizetype &i, const QByteArray &name,
               QByteArray &value) {
    const QByteArray &a = args[i];
    if (a == name) {
        if (i + 1 >= args.size()) {
            value.clear();
            return true;
        }
        value = args[++i];
        return true;
    }
    if (a.startsWith(name + '=')) {
        value = a.mid(name.size() + 1);
        return true;
    }
    return false;
}

bool ReadNumber(const QByteArray &value, int low, int high, int &out) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < low || n > high) {
        return false;
    }
    out = n;
    return true;
}

} // namespace

Parsed Parse(const QList<QByteArray> &args) {
    Parsed out;
    QList<QByteArray> files;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QByteArray &a = args[i];
        QByteArray value;
        if (!optionsEnded && TakeValue(args, i, "--capo", value)) {
            if (!ReadNumber(value, 0, 9, out.capo)) {
                return Refusal(QStringLiteral("--capo には 0 から 9 の数を指定してください"));
            }
        } else if (!optionsEnded && TakeValue(args, i, "--transpose", value)) {
            if (!ReadNumber(value, -11, 11, out.transpose)) {
                return Refusal(
                    QStringLiteral("--transpose には -11 から 11 の数を指定してください"));
            }
            out.transposed = true;
        } else if (!optionsEnded && TakeValue(args, i, "--pdf", value)) {
            if (value.isEmpty()) {
                return Refusal(
                    QStringLiteral("--pdf には書き出す PDF ファイルの名前を指定してください"));
            }
            out.pdf = QFile::decodeName(value);
        } else if (!optionsEnded && TakeValue(args, i, "--songbook", value)) {
            if (value.isEmpty()) {
                return Refusal(
                    QStringLiteral("--songbook には書き出す PDF ファイルの名前を指定してください"));
            }
            out.songbook = QFile::decodeName(value);
        } else if (!optionsEnded && a == "--") {
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
            return Refusal(QStringLiteral("知らないオプションです: %1").arg(QFile::decodeName(a)));
        } else if (a.isEmpty()) {
            return Refusal(QStringLiteral("ファイル名が空です"));
        } else {
            files += a;
        }
    }
    if (files.size() > 1) {
        return Refusal(
            QStringLiteral("開けるファイルは一つだけです (%1 個指定されました)").arg(files.size()));
    }
    const QString file = files.isEmpty() ? QString() : QFile::decodeName(files.front());
    if (out.action == Action::Run && !out.pdf.isEmpty() && file.isEmpty()) {
        return Refusal(QStringLiteral("--pdf には書き出すコード譜のファイルが必要です"));
    }
    if (out.action == Action::Run && !out.songbook.isEmpty() &&
        (file.isEmpty() || !out.pdf.isEmpty())) {
        return Refusal(file.isEmpty()
                           ? QStringLiteral("--songbook にはセットリストのファイルが必要です")
                           : QStringLiteral("--songbook と --pdf は一緒に使えません"));
    }
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
