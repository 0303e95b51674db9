#pragma once

#include <string>

class QWidget;

// A message box over parent, modal: a notice with "确定", or a question with "是" and "否". An
// empty caption means the application's title. True when a question was answered yes.
bool ShowUserMessage(QWidget& parent, const std::u16string& text, const std::u16string& caption, bool question);
