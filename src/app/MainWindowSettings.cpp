// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindowSettings.h"

#include "app/AutoScroll.h"
#include "platform/Twips.h"
#include "score/Zoom.h"
#include "settings/FileHistory.h"
#include "settings/PrivateProfile.h"

#include <variant>

namespace {

using S = MainWindowSettings;

// A length of the window, read as text so that its default may be a
// fraction (half a screen of odd size) rounded the store's way.
struct WindowLength {
    int32_t S::*Field;
};
struct Long {
    int32_t S::*Field;
};
struct Int {
    int16_t S::*Field;
};
struct Boolean {
    bool S::*Field;
};
struct Path {
    QString S::*Field;
};
// Eight keys of a section of its own.
struct FontSection {
    Font S::*Field;
};
// The recent files, a section of their own.
struct RecentFiles {};
// Read and clamped to 0..9; written unless no capo is chosen.
struct CapoNumber {};
// An integer that reading brings into its range.
struct Fixed {
    int16_t S::*Field;
    int (*Fix)(int);
};
// Written only.
struct WrittenPath {
    QString S::*Field;
};
// Short text.
struct Text {
    QString S::*Field;
};
// Paths under numbered keys (Key1, Key2, ...), each read whole; an empty
// one (a list grown shorter) is passed over.
struct PathList {
    QStringList S::*Field;
};

using Kind = std::variant<WindowLength, Long, Int, Boolean, Path, FontSection, RecentFiles,
                          CapoNumber, Fixed, WrittenPath, Text, PathList>;

struct Entry {
    const char *Section;
    const char *Key;
    Kind Type;
};

// Read and written in this order.
const Entry kEntries[] = {
    {"Setting", "PreOpenedDir", Path{&S::PreOpenedDir}},
    {"Window", "Height", WindowLength{&S::Height}},
    {"Window", "Width", WindowLength{&S::Width}},
    {"Window", "Top", WindowLength{&S::Top}},
    {"Window", "Left", WindowLength{&S::Left}},
    {"Window", "Maximized", Boolean{&S::Maximized}},
    {"History", "", RecentFiles{}},
    {"Setting", "AdjustFlatStart", Boolean{&S::AdjustFlatStart}},
    {"ChordNameFont", "", FontSection{&S::ChordNameFont}},
    {"ChordName", "EnableColor", Long{&S::EnableChordNameColor}},
    {"ChordName", "UnEnableColor", Long{&S::UnEnableChordNameColor}},
    {"WordFont", "", FontSection{&S::WordFont}},
    {"Word", "EnableColor", Long{&S::EnableWordColor}},
    {"Word", "UnEnableColor", Long{&S::UnEnableWordColor}},
    {"Setting", "TabSize", Int{&S::TabSize}},
    {"Setting", "Capo", CapoNumber{}},
    {"Setting", "PageReturn", Boolean{&S::PageReturn}},
    {"Chord", "Filename", WrittenPath{&S::ChordFilename}},
    {"Setting", "Zoom", Fixed{&S::Zoom, zoom::Nearest}},
    {"Setting", "AutoScrollSpeed", Fixed{&S::AutoScrollSpeed, AutoScroll::ClampSpeed}},
    {"Setting", "FullScreenHidesMenuBar", Boolean{&S::FullScreenHidesMenuBar}},
    {"Setting", "Spelling", Fixed{&S::Spelling, [](int v) { return v >= 0 && v <= 2 ? v : 0; }}},
    {"Setting", "ChordStrip", Boolean{&S::ChordStrip}},
    {"Setting", "PrintLayout", Fixed{&S::PrintLayout, [](int v) { return v == 1 ? 1 : 0; }}},
    {"Library", "Folder", PathList{&S::LibraryFolders}},
    {"Library", "Setlist", Path{&S::Setlist}},
    {"Window", "Library", Boolean{&S::LibraryShown}},
    {"Window", "LibraryArea", Fixed{&S::LibraryArea, [](int v) { return v == 1 ? 1 : 2; }}},
    {"Window", "LibraryWidth",
     Fixed{&S::LibraryWidth, [](int v) { return v >= 120 && v <= 2000 ? v : 320; }}},
    {"Setting", "PageTurner", Boolean{&S::PageTurner}},
    {"Setting", "PageTurnerInFullScreen", Boolean{&S::PageTurnerInFullScreen}},
    {"Setting", "PageTurnerNextKeys", Text{&S::PageTurnerNextKeys}},
    {"Setting", "PageTurnerBackKeys", Text{&S::PageTurnerBackKeys}},
};

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

} // namespace

void MainWindowSettings::Load(const PrivateProfile &profile, QSize screen, FileHistory &history) {
    const double sw = twips::FromPx(screen.width());
    const double sh = twips::FromPx(screen.height());
    // Half the screen, centred; a position centres the size read before it.
    const auto windowDefault = [&](int32_t S::*field) {
        if (field == &S::Height) {
            return sh / 2;
        }
        if (field == &S::Width) {
            return sw / 2;
        }
        return field == &S::Top ? (sh - Height) / 2 : (sw - Width) / 2;
    };
    for (const Entry &e : kEntries) {
        const QString section = QString::fromLatin1(e.Section);
        const QString key = QString::fromLatin1(e.Key);
        std::visit(Overloaded{
                       [&](const WindowLength &k) {
                           const QString fallback = QString::number(windowDefault(k.Field), 'f', 6);
                           this->*k.Field = profile.ToLong(
                               section, key, profile.GetString(section, key, fallback));
                       },
                       [&](const Long &k) {
                           this->*k.Field = profile.GetLong(section, key, this->*k.Field);
                       },
                       [&](const Int &k) {
                           this->*k.Field = profile.GetInt(section, key, this->*k.Field);
                       },
                       [&](const Boolean &k) {
                           this->*k.Field = profile.GetBoolean(section, key, this->*k.Field);
                       },
                       [&](const Path &k) {
                           this->*k.Field = profile.GetPath(section, key, this->*k.Field);
                       },
                       [&](const FontSection &k) { profile.SetFont(section, this->*k.Field); },
                       [&](const RecentFiles &) { history.LoadHistoryFile(); },
                       [&](const CapoNumber &) {
                           const int16_t capo = profile.GetInt(section, key, int16_t{0});
                           Capo = capo < 0 || capo > 9 ? int16_t{0} : capo;
                       },
                       [&](const Fixed &k) {
                           this->*k.Field = static_cast<int16_t>(
                               k.Fix(profile.GetInt(section, key, this->*k.Field)));
                       },
                       [&](const WrittenPath &) {},
                       [&](const Text &k) {
                           this->*k.Field = profile.GetString(section, key, this->*k.Field);
                       },
                       [&](const PathList &k) {
                           (this->*k.Field).clear();
                           for (int i = 1; i <= MaxLibraryFolders; ++i) {
                               const QString path =
                                   profile.GetPath(section, key + QString::number(i), QString());
                               if (!path.isEmpty() && !(this->*k.Field).contains(path)) {
                                   (this->*k.Field) << path;
                               }
                           }
                       },
                   },
                   e.Type);
    }
}

void MainWindowSettings::Save(const PrivateProfile &profile, const FileHistory &history) const {
    for (const Entry &e : kEntries) {
        const QString section = QString::fromLatin1(e.Section);
        const QString key = QString::fromLatin1(e.Key);
        std::visit(
            Overloaded{
                [&](const WindowLength &k) {
                    if (SavePlacement) {
                        profile.WriteLong(section, key, this->*k.Field);
                    }
                },
                [&](const Long &k) { profile.WriteLong(section, key, this->*k.Field); },
                [&](const Int &k) { profile.WriteInt(section, key, this->*k.Field); },
                [&](const Boolean &k) { profile.WriteBoolean(section, key, this->*k.Field); },
                [&](const Path &k) { profile.WritePath(section, key, this->*k.Field); },
                [&](const FontSection &k) { profile.WriteFont(section, this->*k.Field); },
                [&](const RecentFiles &) { history.SaveHistoryFile(); },
                [&](const CapoNumber &) {
                    if (Capo >= 0) {
                        profile.WriteInt(section, key, Capo);
                    }
                },
                [&](const Fixed &k) { profile.WriteInt(section, key, this->*k.Field); },
                [&](const WrittenPath &k) { profile.WritePath(section, key, this->*k.Field); },
                [&](const Text &k) { profile.WriteString(section, key, this->*k.Field); },
                [&](const PathList &k) {
                    const QStringList &list = this->*k.Field;
                    // Keys beyond the list are emptied: a removed folder stays removed.
                    for (int i = 1; i <= MaxLibraryFolders; ++i) {
                        const QString path = i <= list.size() ? list[i - 1] : QString();
                        if (!path.isEmpty() ||
                            !profile.GetPath(section, key + QString::number(i), QString())
                                 .isEmpty()) {
                            profile.WritePath(section, key + QString::number(i), path);
                        }
                    }
                },
            },
            e.Type);
    }
}

DisplayStyle MainWindowSettings::Display() const {
    return {AdjustFlatStart,        ChordNameFont,   WordFont,         EnableChordNameColor,
            UnEnableChordNameColor, EnableWordColor, UnEnableWordColor};
}

void MainWindowSettings::SetDisplay(const DisplayStyle &style) {
    AdjustFlatStart = style.AdjustFlatStart;
    ChordNameFont = style.ChordNameFont;
    WordFont = style.WordFont;
    EnableChordNameColor = style.EnableChordNameColor;
    UnEnableChordNameColor = style.UnEnableChordNameColor;
    EnableWordColor = style.EnableWordColor;
    UnEnableWordColor = style.UnEnableWordColor;
}
