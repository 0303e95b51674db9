// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SiteChooser.h"

#include <QComboBox>

#include "core/SiteType.h"
#include "settings/qt/CComboBox2.h"
#include "ui/WindowRules.h"

SiteChooser::SiteChooser(QComboBox& site, QComboBox& subMode, CComboBox2& input)
    : site_(site), subMode_(subMode), input_(input) {}

void SiteChooser::Fill(const DetectedSite& detected) {
    site_.clear();
    for (const char16_t* name : WindowRules::SITE_NAMES) {
        site_.addItem(QString::fromUtf16(name));
    }
    site_.setCurrentIndex(SITE_TENCENT);
    filled_ = true;
    // The site-type change first, so that the sub-mode the detection picks is the one that stays.
    OnSiteTypeChange();
    ApplyDetection(detected);
}

int SiteChooser::SubMode() const {
    return subMode_.isHidden() ? SUBMODE_UNSET : subMode_.currentIndex();
}

void SiteChooser::OnSiteTypeChange() {
    const int type = site_.currentIndex();
    if (type < 0) {
        return;
    }
    siteType_ = type;
    if (type == SITE_TENCENT) {
        if (subMode_.count() != static_cast<int>(WindowRules::TENCENT_SUBMODES.size())) {
            subMode_.clear();
            for (const char16_t* name : WindowRules::TENCENT_SUBMODES) {
                subMode_.addItem(QString::fromUtf16(name));
            }
        }
        // The input box starts just right of the sub-mode box while it shows, where it starts
        // otherwise (the row's layout moves it).
        subMode_.show();
        subMode_.setCurrentIndex(TENCENT_QZONE);
    } else {
        subMode_.hide();
    }
}

void SiteChooser::DetectSiteOfInput() {
    ApplyDetection(DetectSite(input_.currentText().toStdU16String()));
}

void SiteChooser::ApplyDetection(const DetectedSite& detected) {
    // Without a hit the site type and the sub-mode the user chose stay as they are.
    if (!filled_ || !detected.hit) {
        return;
    }
    site_.setCurrentIndex(detected.siteType);
    OnSiteTypeChange();
    if (detected.siteType == SITE_TENCENT && detected.subMode >= 0) {
        subMode_.setCurrentIndex(detected.subMode);
    }
}
