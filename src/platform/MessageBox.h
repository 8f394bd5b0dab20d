// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

// The one way errors reach the user: a message box with the description, an
// OK button only and the application title.
namespace msgbox {

void ShowError(QWidget *parent, const QString &sDescription);
// A question with はい and いいえ; いいえ is the default. With a sink set,
// the question goes there and the answer is いいえ.
bool Ask(QWidget *parent, const QString &sQuestion);

// Tests catch the messages instead of answering modal boxes; nullptr restores the boxes.
void SetSink(std::function<void(const QString &)> sink);

} // namespace msgbox
