#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "GridCtrl_src/GridData.h"
#include "core/ExtensionSettings.h"
#include "core/ListResult.h"
#include "core/NullWindowPort.h"
#include "core/PictureList.h"
#include "core/SiteSettings.h"
#include "core/SiteType.h"
#include "download/DownloadPool.h"

enum ListState : std::uint8_t { LIST_IDLE = 0, LIST_RUNNING = 1, LIST_STOP = 2 };
enum DownloadState : std::uint8_t { DL_IDLE = 0, DL_RUNNING = 1, DL_ALBUM_DONE = 2, DL_STOP = 3 };
enum ModeSwitchState : std::uint8_t {
    MODE_SWITCH_IDLE = 0,
    MODE_SWITCH_RUNNING = 1,
    MODE_SWITCH_INTERRUPT = 2
};

constexpr int HISTORY_SIZE = 5;
constexpr int HISTORY_FIELD_UNITS = 400;  // an entry holds at most 399 characters
constexpr int THUMBS_PER_ROW = 6;
constexpr int THUMB_WIDTH = 113;
constexpr int THUMB_HEIGHT = 120;
constexpr int PREVIEW_ROW_HEIGHT = THUMB_HEIGHT + 10;

// The main window's job state: one instance, living as long as the window. The jobs and adapters
// read and write it; stop requests come from the window thread through the state bytes.
struct JobContext {
    ListResult list;
    // The album grid (control 1003): rows or thumbnail cells of the albums.
    GridData grid;
    // The one picture list of the process: the album being downloaded.
    PictureList pictures;
    // The worker pool's parameters and flags; the download button's stop reaches the pool here.
    DownloadPool pool;
    std::u16string filterText;    // the grid filter
    std::u16string lastFirstUrl;  // first picture of the previous download into the album folder
    std::u16string programDir;    // ends with "/"; holds "soft.dat", "cookies.txt" and "tmp/"

    std::array<SiteSettings, SETTINGS_SLOT_COUNT> siteSettings{};
    ExtensionSettings extension;
    std::array<std::u16string, HISTORY_SIZE> inputHistory{};  // newest first
    std::array<std::u16string, HISTORY_SIZE> pathHistory{};

    std::atomic<std::uint8_t> listState{LIST_IDLE};
    std::atomic<std::uint8_t> downloadState{DL_IDLE};
    std::atomic<std::uint8_t> ready{0};
    std::atomic<std::uint8_t> previewMode{0};
    std::atomic<std::uint8_t> modeSwitch{MODE_SWITCH_IDLE};

    // The window's parts that the jobs use (grid, combo boxes, login browser, status lines) are
    // reached through this port; the front end sets its own before a job runs. Never null.
    WindowPort* window = &NullWindowPort::Shared();

    // The slot of the site type that is current now.
    SiteSettings& CurrentSettings() { return siteSettings[SlotOf(list.siteType)]; }
    const SiteSettings& CurrentSettings() const { return siteSettings[SlotOf(list.siteType)]; }

private:
    static std::size_t SlotOf(std::int32_t type) {
        return type >= 0 && type < SETTINGS_SLOT_COUNT ? static_cast<std::size_t>(type) : 0;
    }
};
