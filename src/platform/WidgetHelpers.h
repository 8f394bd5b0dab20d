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

// Before the first window: lets a repaint of thousands of sibling widgets
// (the cells of a long sheet) cost in proportion to them. Qt otherwise
// subtracts, for every dirty widget, each sibling above it from its region.
// The result on screen is the same; a value the user set stays.
void PrepareRepaint();

} // namespace widgethelpers
