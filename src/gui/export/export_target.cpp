// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/export/export_target.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include "base/string_ids.h"
#include "gui/common/shell_port.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

ExportTarget::ExportTarget(ShellPort& shell, QWidget* parent)
    : QGroupBox(text(ids::kExportFilenameAndFolder), parent),
      shell_(shell),
      folderField_(new QLineEdit(this)),
      folderButton_(new QToolButton(this)),
      name_(new QLineEdit(this)) {
    folderField_->setObjectName(QStringLiteral("folder"));
    folderField_->setReadOnly(true);
    folderButton_->setObjectName(QStringLiteral("pickFolder"));
    folderButton_->setText(QStringLiteral("..."));
    name_->setObjectName(QStringLiteral("fileName"));
    // A "/" would make the name a path into some other folder, which only the folder
    // button chooses; a NUL would cut the name short.
    name_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/\\x{0}]*")), name_));

    auto* folderLabel = new QLabel(text(ids::kExportFolderLabel), this);
    folderLabel->setBuddy(folderField_);
    auto* nameLabel = new QLabel(text(ids::kExportNameLabel), this);
    nameLabel->setBuddy(name_);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderField_, 1);
    folderRow->addWidget(folderButton_);
    auto* form = new QFormLayout(this);
    form->addRow(folderLabel, folderRow);
    form->addRow(nameLabel, name_);

    connect(folderButton_, &QToolButton::clicked, this, &ExportTarget::pickFolder);
    connect(name_, &QLineEdit::textChanged, this, [this] { Q_EMIT completeChanged(isComplete()); });
}

void ExportTarget::load(const std::string& folder) {
    folder_ = folder;
    folderField_->setText(qs(folder_));
    name_->setText(text(ids::kExportDefaultFileName));
}

std::string ExportTarget::fileName() const {
    return utf8(name_->text());
}

bool ExportTarget::isComplete() const {
    return !name_->text().trimmed().isEmpty();
}

void ExportTarget::pickFolder() {
    if (std::optional<std::string> chosen = shell_.pickFolder(folder_)) {
        folder_ = *chosen;
        folderField_->setText(qs(folder_));
    }
}

}  // namespace tw::gui
