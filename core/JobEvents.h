// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/DownloadTally.h"
#include "core/PictureOutcome.h"
#include "core/ST_PERLISTRECORD.h"

// Which job an event is about.
enum class JobKind : std::uint8_t { List, Download };

// What the jobs tell their front end, and what they ask of the user. The jobs call it from their
// own threads (the pictures' events come from the pool's workers), so a front end carries each call
// to where it shows it; questions block until the user has answered. The texts are composed by the
// jobs, so every front end says the same; the facts come with them for front ends that show more.
// Every event has a default that shows nothing, and the questions answer no, so a front end
// overrides only what it shows.
class JobEvents {
public:
    virtual ~JobEvents() = default;

    // --- Both jobs ---
    // The job's stage ("正在下载第1/3个图集") and its progress ("已获取到12张图片信息"); an empty
    // text clears the line.
    virtual void StageText(const std::u16string& /*text*/) {}
    virtual void ProgressText(const std::u16string& /*text*/) {}
    // The job has entered its busy state: what could start another job, or change what this one
    // reads, must wait until it is idle again. A job that ends before it began (an empty input, no
    // save folder) is never busy.
    virtual void Busy(JobKind /*job*/) {}
    virtual void Idle(JobKind /*job*/) {}

    // --- The album list ---
    // Album number album (its place in the list) was added, as the list keeps it: its name cleaned,
    // made unique and cut.
    virtual void AlbumListed(int /*album*/, const ST_PERLISTRECORD& /*record*/) {}
    // The list has ended with albumCount albums; downloadAtOnce when it was an item page whose one
    // album is to be downloaded at once.
    virtual void ListEnded(int /*albumCount*/, bool /*downloadAtOnce*/) {}
    // The list found nothing because its last page did not come or came as a refusal: the site
    // could not be read (a notice has said why: "无法读取相册列表：HTTP 503").
    virtual void ListUnread(const std::u16string& /*line*/) {}
    // An input that found albums joined the input history.
    virtual void InputRemembered(const std::u16string& /*input*/) {}

    // --- The download ---
    // The download of album (its place in the list) starts: the position-th (from 1) of count.
    virtual void AlbumStarted(int /*album*/, int /*position*/, int /*count*/) {}
    // The pool starts on pictureCount pictures of the album in folder.
    virtual void PoolStarted(const std::u16string& /*folder*/, int /*pictureCount*/) {}
    // saved of total pictures are on disk ("已下载3/40......", the line the progress shows).
    virtual void PoolProgress(const std::u16string& /*line*/, int /*saved*/, int /*total*/) {}
    // The pool has ended, after elapsedSeconds, on pictureCount pictures.
    virtual void PoolEnded(int /*elapsedSeconds*/, int /*pictureCount*/) {}
    // A picture of album was saved as file.
    virtual void PictureSaved(int /*album*/, const std::u16string& /*file*/, const std::u16string& /*url*/) {}
    // The format fix gave a picture of album that this download saved the extension its bytes call
    // for: the file saved as from is now to.
    virtual void PictureRenamed(int /*album*/, const std::u16string& /*from*/, const std::u16string& /*to*/) {
    }
    // A picture of album was not saved ("失败：p003.jpg（HTTP 404） http://...").
    virtual void PictureNotSaved(int /*album*/, const std::u16string& /*line*/, const std::u16string& /*url*/,
                                 const PictureOutcome& /*outcome*/) {}
    // An album's download has ended ("Summer：成功 3 张，失败 1 张，跳过 0 张").
    virtual void AlbumEnded(int /*album*/, const std::u16string& /*line*/, const DownloadTally& /*tally*/) {}
    // The download has ended ("下载完毕：成功 118 张，失败 2 张，跳过 3 张"); the line is empty when it
    // never started (a notice has said why).
    virtual void JobEnded(const std::u16string& /*line*/, const DownloadTally& /*tally*/,
                          DownloadEnd /*end*/) {}
    // The options ask for the last album's folder to be shown once the download has ended.
    virtual void OpenFolder(const std::u16string& /*folder*/) {}

    // --- Questions ---
    // A message for the user; an empty caption means the application's title.
    virtual void Notice(const std::u16string& /*text*/, const std::u16string& /*caption*/) {}
    // A yes/no question; true for yes.
    virtual bool Ask(const std::u16string& /*text*/, const std::u16string& /*caption*/) { return false; }
    // The login browser at url, for the user to log in or verify; returns when it was closed.
    virtual void Login(const std::u16string& /*url*/) {}
    // The login browser at a protected album's page, for the user to type the album's password;
    // returns when it was closed. A front end that does not tell the two apart logs in.
    virtual void Password(const std::u16string& url) { Login(url); }
};
