// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QMessageBox;
class QWidget;

// A message box over parent, modal: a notice with "确定", or a question with "是" and "否". An
// empty caption means the application's title. True when a question was answered yes.
bool ShowUserMessage(QWidget& parent, const std::u16string& text, const std::u16string& caption,
                     bool question);

// A notice with "确定" over parent that holds nothing: it shows and returns at once, the window
// stays usable, and the box goes when it is closed. An empty caption means the application's title.
QMessageBox* ShowUserNotice(QWidget& parent, const std::u16string& text, const std::u16string& caption);
