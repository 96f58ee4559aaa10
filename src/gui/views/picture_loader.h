// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <atomic>
#include <string>
#include <vector>

#include "core/picture_data.h"

namespace tw::gui {

// One picture as the tab shows it: its bytes, and the image decoded to at most the size
// the tab shows (null when it was not decoded: too large, or not an image Qt reads).
struct LoadedPicture {
    core::PictureBytes bytes;
    QImage image;
    QSize pixels;           // the image's own size, when its header could be read
    bool tooLarge = false;  // listed, not decoded
};

// What a load found for the selected files.
struct LoadedPictures {
    std::vector<LoadedPicture> pictures;  // of the first file, in the order of its record
    bool samePictures = true;             // every selected file holds the same images
    std::string error;                    // why the first file's pictures could not be read
};

// Reads and decodes the pictures of the selected files on a worker thread of its own pool,
// and hands the result back on the thread the loader lives on (queued), where
// `loaded` is emitted. A new request supersedes the one under way: results of earlier ones
// are dropped, so a selection that changed before a load returned never shows the wrong file.
//
// Memory stays bounded: a picture over 16 MB, or over 10,000 pixels either way, is listed but
// neither read whole nor decoded; an image is decoded straight to the size it is shown at.
// Owns its worker pool, which it waits for when it goes; the worker keeps copies of the
// records it reads.
class PictureLoader : public QObject {
    Q_OBJECT
public:
    // The largest image decoded, either way, and the size images are decoded down to.
    static constexpr int kMostPixels = 10000;
    static constexpr int kShownSize = 600;

    explicit PictureLoader(QObject* parent = nullptr);
    ~PictureLoader() override;

    // Loads the pictures of `records` (the first one's shown, the others compared with it).
    void request(std::vector<core::AudioFile> records);
    // Drops what is under way.
    void cancel() { ++generation_; }

    // How many images were decoded since the program started (the tests' measure of laziness).
    static int decodeCount();

Q_SIGNALS:
    void loaded(const tw::gui::LoadedPictures& result);

private:
    void deliver(quint64 generation, const LoadedPictures& result);

    std::atomic<quint64> generation_ = 0;
    QThreadPool pool_;
};

// Decodes `bytes` as the loader does (counted by decodeCount()).
LoadedPicture decodePicture(const core::PictureBytes& bytes);

}  // namespace tw::gui
