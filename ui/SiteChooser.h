// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sites/SiteCatalogue.h"

class CComboBox2;
class QComboBox;

// The site box (1002) and the sub-mode box (1035) of site type 0. The site box is filled once the
// start-up has detected the site of the input; from then on it follows the user's choice and the
// site the input's text names. Until it is filled no list can be asked for.
class SiteChooser {
public:
    SiteChooser(QComboBox& site, QComboBox& subMode, CComboBox2& input);

    // The start-up's second half: the site names, site type 0, then what the input named.
    void Fill(const DetectedSite& detected);
    bool Filled() const { return filled_; }

    // The site type the site box shows; the menu's options and the settings dialogs are its.
    int SiteType() const { return siteType_; }
    // The sub-mode the user chose while the sub-mode box shows; SUBMODE_UNSET otherwise.
    int SubMode() const;

    // The site box's selection changed (the user's choice, or the detection's).
    void OnSiteTypeChange();
    // The input box's text changed or a history entry was chosen.
    void DetectSiteOfInput();

private:
    void ApplyDetection(const DetectedSite& detected);

    QComboBox& site_;
    QComboBox& subMode_;
    CComboBox2& input_;
    int siteType_ = 0;
    bool filled_ = false;
};
