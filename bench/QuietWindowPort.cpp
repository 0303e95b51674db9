#include "bench/QuietWindowPort.h"

#include <cstdio>

#include "platform/CodePage.h"

std::u16string QuietWindowPort::GetText(int control) {
    if (control == IDC_SAVE_PATH) {
        return savePath_;
    }
    return control == IDC_INPUT ? input_ : std::u16string();
}

int QuietWindowPort::MessageBox(const std::u16string& text, const std::u16string&, int buttons) {
    std::fprintf(stderr, "message: %s\n", CodePage::ToUtf8(text).c_str());
    return buttons == MB_YESNO ? IDNO : IDOK;
}
