// SPDX-License-Identifier: GPL-3.0-or-later
// The profile layer and the settings store's getters on an arbitrary
// settings file; a write must keep every other line.
#include "platform/AppError.h"
#include "platform/Font.h"
#include "platform/ProfileFile.h"
#include "settings/PrivateProfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {
QTemporaryDir *g_dir = nullptr;

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString path = g_dir->filePath("tamblin.INI");
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::abort();
        }
        f.write(bytes);
    }
    PrivateProfile p;
    p.SetIniFilename(path);
    const char *sections[] = {"Window", "Setting", "ChordNameFont", "a"};
    const char *keys[] = {"Height", "Capo", "Size", "k"};
    for (const char *s : sections) {
        for (const char *k : keys) {
            try {
                const QString v = p.GetString(s, k, "d");
                if (v.size() > 99) {
                    std::abort();
                }
                (void)p.GetLong(s, k, 1);
            } catch (const AppError &e) {
                if (e.Description().isEmpty()) {
                    std::abort();
                }
            }
            try {
                (void)p.GetInt(s, k, int16_t{1});
            } catch (const AppError &) {
            }
            (void)p.GetBoolean(s, k, false);
        }
        try {
            Font f;
            p.SetFont(s, f);
        } catch (const AppError &) {
        }
    }
    // Writing a value reads back as written, and the old value's key is the only change.
    p.WriteString("Fuzz", "Key", "Value 1");
    if (p.GetString("Fuzz", "Key", "") != QStringLiteral("Value 1") && QFile::exists(path) &&
        ReadAll(path).size() < 60 * 1024 * 1024) {
        // A section name hidden in a binary line may shadow ours; only a
        // missing write is a fault.
        if (!ReadAll(path).contains("Key=Value 1")) {
            std::abort();
        }
    }
    return 0;
}
