// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/gui_user_port.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/common/failed_files_dialog.h"
#include "gui/common/file_filter.h"
#include "gui/common/overwrite_dialog.h"
#include "gui/common/progress_dialog.h"
#include "gui/common/wait_cursor.h"
#include "gui/product.h"
#include "gui/qt_text.h"
#include "gui/shell/desktop_open.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QMessageBox::Icon iconOf(base::UserPort::Severity severity) {
    switch (severity) {
        case base::UserPort::Severity::Information:
            return QMessageBox::Information;
        case base::UserPort::Severity::Warning:
            return QMessageBox::Warning;
        case base::UserPort::Severity::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString commonButton(int id) {
    base::CommonButtonString text;
    return qs(text.Load(id));
}

}  // namespace

GuiUserPort::GuiUserPort() = default;
GuiUserPort::~GuiUserPort() = default;

void GuiUserPort::setParentWindow(QWidget* parent) {
    parent_ = parent;
}

void GuiUserPort::startProgress(std::string_view title, int total) {
    // The dialog has no Qt parent, so the port alone owns it whatever happens to the window;
    // it is placed over the window instead.
    if (!progress_)
        progress_ = std::make_unique<ProgressDialog>();
    progress_->start(qs(title), total);
    if (parent_) {
        QRect area = progress_->frameGeometry();
        area.moveCenter(parent_->frameGeometry().center());
        progress_->move(area.topLeft());
    }
}

void GuiUserPort::advanceProgress(std::string_view label) {
    if (progress_)
        progress_->advance(qs(label));
}

void GuiUserPort::finishProgress() {
    if (progress_)
        progress_->finish();
}

GuiUserPort::Answer GuiUserPort::askYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, productName(), qs(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

GuiUserPort::Answer GuiUserPort::askYesNoSilenceable(std::string_view text, bool& dontAskAgain) {
    QMessageBox box(QMessageBox::Question, productName(), qs(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setEscapeButton(QMessageBox::No);
    auto* silence = new QCheckBox(gui::text(ids::kDoNotAskAgain), &box);
    box.setCheckBox(silence);
    const bool yes = box.exec() == QMessageBox::Yes;
    dontAskAgain = silence->isChecked();
    return yes ? Answer::Yes : Answer::No;
}

GuiUserPort::Answer GuiUserPort::askYesNoCancel(std::string_view text) {
    QMessageBox box(QMessageBox::Question, productName(), qs(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setEscapeButton(QMessageBox::Cancel);
    box.button(QMessageBox::Cancel)->setText(commonButton(ids::kButtonCancel));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

GuiUserPort::OverwriteChoice GuiUserPort::askOverwrite(std::string_view text) {
    OverwriteDialog box(qs(text), parent_);
    box.exec();
    return box.choice();
}

std::optional<std::string> GuiUserPort::askSavePath(std::string_view suggested,
                                                    std::string_view filter,
                                                    std::string_view defaultExtension) {
    QFileDialog dialog(parent_, QString(), qs(suggested),
                       qtFileFilter(qs(filter) + QStringLiteral("|")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qs(defaultExtension));
    dialog.selectFile(qs(suggested));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return utf8(dialog.selectedFiles().first());
}

std::optional<std::string> GuiUserPort::askOpenPath(std::string_view folder,
                                                    std::string_view filter) {
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), qs(folder), qs(filter));
    if (path.isEmpty())
        return std::nullopt;
    return utf8(path);
}

void GuiUserPort::showMessage(Severity severity, std::string_view text) {
    const NormalCursor pointer;
    QMessageBox box(iconOf(severity), productName(), qs(text), QMessageBox::Ok, parent_);
    box.button(QMessageBox::Ok)->setText(commonButton(ids::kButtonOk));
    box.exec();
}

void GuiUserPort::showFailedFiles(std::string_view title, std::string_view text,
                                  const std::vector<std::string>& names) {
    FailedFilesDialog dialog(qs(title), qs(text), {}, names, parent_);
    dialog.exec();
}

void GuiUserPort::showFailedFilesIn(std::string_view title, std::string_view text,
                                    std::string_view folder,
                                    const std::vector<std::string>& names) {
    FailedFilesDialog dialog(qs(title), qs(text), qs(folder), names, parent_);
    dialog.exec();
}

void GuiUserPort::showStatus(std::string_view text) {
    if (statusSink_)
        statusSink_(qs(text));
}

void GuiUserPort::openDocument(std::string_view path) {
    if (desktop_)
        openOnDesktop(*desktop_, *this, QUrl::fromLocalFile(qs(path)));
}

}  // namespace tw::gui
