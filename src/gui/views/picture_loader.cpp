// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/views/picture_loader.h"

#include <QBuffer>
#include <QImageReader>

namespace tw::gui {

namespace {

std::atomic<int> decodes = 0;

// The decoded image may take this much memory (MB), whatever its header claims.
constexpr int kAllocationLimitMb = 64;

// The images of one record: its own for pictures added in memory, the file's otherwise.
std::vector<core::PictureBytes> bytesOf(const core::AudioFile& record, std::string* error) {
    std::vector<core::PictureBytes> loaded;
    const bool anyInFile = std::any_of(record.pictures.items.begin(), record.pictures.items.end(),
                                       [](const core::Picture& p) { return !p.data; });
    if (anyInFile) {
        auto read = core::readPictureData(record.path, core::kPictureReadLimit);
        if (read)
            loaded = std::move(read).value();
        else if (error)
            *error = base::worded(read.failure().why);
    }
    std::vector<core::PictureBytes> out;
    for (std::size_t i = 0; i < record.pictures.items.size(); ++i)
        out.push_back(core::pictureBytes(record, i, loaded));
    return out;
}

bool sameBytes(const std::vector<core::PictureBytes>& a, const std::vector<core::PictureBytes>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const core::PictureBytes& x, const core::PictureBytes& y) {
                          return x && y && (x == y || *x == *y);
                      });
}

// `stop` tells when the result is no longer wanted (a newer request came).
template <typename Stop>
LoadedPictures load(const std::vector<core::AudioFile>& records, Stop stop) {
    LoadedPictures result;
    if (records.empty())
        return result;
    const std::vector<core::PictureBytes> first = bytesOf(records.front(), &result.error);
    for (std::size_t i = 1; i < records.size() && result.samePictures && !stop(); ++i) {
        const auto& items = records[i].pictures.items;
        const auto& firstItems = records.front().pictures.items;
        // The facts of the frames tell most differences without reading any image.
        result.samePictures =
            std::equal(
                items.begin(), items.end(), firstItems.begin(), firstItems.end(),
                [](const core::Picture& a, const core::Picture& b) { return a.info == b.info; }) &&
            sameBytes(bytesOf(records[i], nullptr), first);
    }
    for (const core::PictureBytes& bytes : first)
        result.pictures.push_back(decodePicture(bytes));
    return result;
}

}  // namespace

LoadedPicture decodePicture(const core::PictureBytes& bytes) {
    LoadedPicture picture;
    picture.bytes = bytes;
    if (!bytes)
        return picture;
    QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kAllocationLimitMb);
    picture.pixels = reader.size();
    if (bytes->size() > core::kPictureReadLimit || !picture.pixels.isValid() ||
        picture.pixels.width() > PictureLoader::kMostPixels ||
        picture.pixels.height() > PictureLoader::kMostPixels) {
        picture.tooLarge = picture.pixels.isValid() || bytes->size() > core::kPictureReadLimit;
        return picture;
    }
    if (picture.pixels.width() > PictureLoader::kShownSize ||
        picture.pixels.height() > PictureLoader::kShownSize)
        reader.setScaledSize(picture.pixels.scaled(PictureLoader::kShownSize,
                                                   PictureLoader::kShownSize, Qt::KeepAspectRatio));
    ++decodes;
    picture.image = reader.read();
    return picture;
}

PictureLoader::PictureLoader(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(1);
}

PictureLoader::~PictureLoader() {
    cancel();
    pool_.waitForDone();
}

int PictureLoader::decodeCount() {
    return decodes;
}

void PictureLoader::request(std::vector<core::AudioFile> records) {
    const quint64 generation = ++generation_;
    // The pool is waited for before the loader goes, so `this` outlives the task; an event
    // queued to a loader that has gone is dropped with it.
    pool_.start([this, generation, records = std::move(records)] {
        if (generation != generation_)
            return;  // superseded before it started
        LoadedPictures result = load(records, [&] { return generation != generation_; });
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)] { deliver(generation, result); },
            Qt::QueuedConnection);
    });
}

void PictureLoader::deliver(quint64 generation, const LoadedPictures& result) {
    if (generation == generation_)
        Q_EMIT loaded(result);
}

}  // namespace tw::gui
