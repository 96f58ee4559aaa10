// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "gui/gui_context.h"
#include "gui/views/picture_loader.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tw::gui {

// The "Picture" tab: the attached pictures of the selected files, with a strip of thumbnails
// when a file has several. It shows the pictures of the first selected file that has any;
// when the selected files do not all hold the same pictures, a note says so above them,
// whatever the order of the files.
//
// Pictures are read and decoded only while the tab is shown, on the loader's worker thread
// (picture_loader.h). The Type and Description fields show the shown picture's own; choosing
// another type from the list or typing a description changes that picture (in every
// selected file when they all hold the same pictures, else in its own file). Without a shown
// picture, the fields are what an added picture takes. Added pictures (from a file, dropped,
// pasted) go into every selected file, as every field edit of the tag tabs does; beside a
// shown picture, an added one takes the first type none of the files holds. "Replace" and
// "Delete" act on the shown picture's type in every selected file, "Put into All Selected"
// copies the shown picture to the others. Edits stay in memory until the files are saved.
//
// Reads and edits the selected records of context.list and asks through context.port;
// owns its widgets and its loader.
class PicturePage : public QWidget {
    Q_OBJECT
public:
    explicit PicturePage(GuiContext& context, QWidget* parent = nullptr);

    // The pictures of the selected files (read when the page is shown).
    void refresh();

    // Adds the image file at `path` (JPEG or PNG, up to 16 MB) to the selected files: what
    // "Open from File ..." and a drop do. False, after telling the user, when it is none.
    [[nodiscard]] bool addPictureFile(const QString& path);
    // Adds these image bytes (a paste). False, after telling the user, when they are none.
    [[nodiscard]] bool addPictureBytes(std::string bytes, const QString& source);
    void replacePicture();
    void deletePicture();
    void savePicture();
    void applyToAllSelected();
    void paste();

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void load();
    void showLoaded(const LoadedPictures& result);
    void showCurrent();
    void showNothing(const QString& note);
    void chooseAndAdd();
    void enableButtons();
    // The record whose pictures are shown (the first selected file that has any); null
    // when none is.
    core::AudioFile* shownRecord() const;
    // The index (in the shown record) of the shown picture; -1 without one.
    int shownIndex() const;
    // The shown picture takes the type and description of the fields.
    void describeShown();
    // The first picture type that no selected file holds, covers first.
    int freeType() const;
    [[nodiscard]] bool putIntoSelected(const core::PictureInfo& info, core::PictureBytes data);
    // Runs `change` on the selected records as a step of the edit document.
    void editPictures(const std::function<void()>& change);

    GuiContext& context_;
    PictureLoader loader_;
    LoadedPictures loaded_;
    bool stale_ = true;          // the display does not show the selection yet
    int shownFile_ = -1;         // the list index of shownRecord()
    bool showsPicture_ = false;  // the fields describe a shown picture
    bool describing_ = false;    // the page's own edit of the shown picture is reported
    bool replacing_ = false;     // "Replace" is adding the shown picture's successor

    QLabel* view_;
    QLabel* info_;
    QListWidget* thumbnails_;
    QComboBox* type_;
    QLineEdit* description_;
    QPushButton* open_;
    QPushButton* paste_;
    QPushButton* replace_;
    QPushButton* remove_;
    QPushButton* save_;
    QPushButton* apply_;
};

}  // namespace tw::gui
