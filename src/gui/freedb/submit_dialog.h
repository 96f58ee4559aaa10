// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "freedb/album_info.h"
#include "gui/freedb/freedb_window_context.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tw::gui {

class JobRunner;

// "FreeDB Submit Album": the album as it will be sent, the category to file it under, and
// "Submit", which sends it to the web site of the settings on a worker thread. The record
// carries the revision the album was read with, or the next one when it was edited since
// (the engine decides). The job's log lines go to `log`.
//
// Owns its widgets and the job (stopped when the window closes).
class SubmitDialog : public QDialog {
    Q_OBJECT
public:
    SubmitDialog(const FreeDbWindowContext& context, const freedb::AlbumInfo& album,
                 std::function<void(const QString&)> log, QWidget* parent = nullptr);
    ~SubmitDialog() override;

    void submit();
    bool isSubmitting() const;
    // Whether the last submission succeeded.
    bool submitted() const { return submitted_; }

private:
    FreeDbWindowContext context_;
    freedb::AlbumInfo album_;
    std::function<void(const QString&)> log_;
    QComboBox* category_;
    QLabel* status_;
    QPushButton* submit_;
    std::unique_ptr<JobRunner> jobs_;
    int job_ = 0;
    bool submitted_ = false;
};

}  // namespace tw::gui
