// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ServerWait.h"

#include "MyCode/StringCtrl.h"

std::u16string ServerWaitText(int seconds) {
    return StringCtrl::Format(u"服务器要求等待 %d 秒", {seconds});
}
