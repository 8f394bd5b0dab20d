// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QMimeData;
class QWidget;

// Small things several widgets do the same way.
namespace widgethelpers {

// White behind the widget's children, filled by Qt.
void SetWhiteBackground(QWidget *w);
// Whether the clipboard holds text to paste now.
bool ClipboardHasText();
// The widget takes any drag that is offered and hands the dropped data to
// onDrop; the data lives as long as the call.
void AcceptDrops(QWidget *w, std::function<void(const QMimeData *)> onDrop);

} // namespace widgethelpers
