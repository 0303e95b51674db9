// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ExtensionFile.h"

#include "MyCode/StringCtrl.h"
#include "MyCode/TextFlags.h"
#include "settings/CIni.h"
#include "settings/SettingsText.h"

namespace {

constexpr char16_t FILE_NAME[] = u"下载器扩展设置.ini";
constexpr std::size_t PRICE_ADJUST_MAX_UNITS = 64;

// The choice of a Qzone text decoding, recognised by how the value starts (with case), so a note
// after the name such as "UTF8 网页" still counts.
unsigned TextFlagsOf(std::u16string_view value) {
    if (value.starts_with(u"UTF8")) {
        return TEXT_UTF8;
    }
    if (value.starts_with(u"AUTO")) {
        return TEXT_AUTO;
    }
    if (value.starts_with(u"BIG5")) {
        return TEXT_BIG5;
    }
    return 0;  // "ANSI" and anything unknown: the ANSI code page
}

}  // namespace

namespace ExtensionFile {

ExtensionSettings Load(const std::u16string& programDir) {
    ExtensionSettings values;
    CIni ini(programDir + FILE_NAME);
    if (!ini.IsOpen()) {
        return values;
    }
    values.qzoneV2TextFlags = TextFlagsOf(ini.GetString(u"QQ空间", u"V2编码", u"ANSI"));
    values.qzoneV3TextFlags = TextFlagsOf(ini.GetString(u"QQ空间", u"V3编码", u"ANSI"));
    values.priceInName = ini.GetString(u"淘宝", u"图片名中是否有价格", u"无").starts_with(u"有");
    // Out-of-range numbers saturate rather than wrap into a price change of the opposite sign.
    values.priceAdjust = StringCtrl::DecimalValue(
        SettingsText::KeepUnits(ini.GetString(u"淘宝", u"价格增减", u""), PRICE_ADJUST_MAX_UNITS));
    values.weiboPassedOn = ini.GetString(u"新浪微博", u"下载转发微博的图片", u"否").starts_with(u"是");
    return values;
}

}  // namespace ExtensionFile
