// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/common/failed_files_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

FailedFilesDialog::FailedFilesDialog(const QString& title, const QString& text,
                                     const QString& folder, const std::vector<std::string>& names,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);  // owned by this dialog, as are the widgets below
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    if (!folder.isEmpty()) {
        auto* field = new QLineEdit(folder, this);
        field->setObjectName(QStringLiteral("folder"));
        field->setReadOnly(true);
        nameControl(*field, ids::kNameFolder);
        layout->addWidget(field);
    }

    auto* list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    nameControl(*list, ids::kNameFiles);
    list->setHeaderLabels(
        {gui::text(ids::kFailedFilesNumberColumn), gui::text(ids::kFailedFilesNameColumn)});
    int number = 0;
    for (const std::string& name : names)
        new QTreeWidgetItem(list, {QString::number(++number), qs(name)});  // owned by the list
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    base::CommonButtonString ok;
    buttons->button(QDialogButtonBox::Ok)->setText(qs(ok.Load(ids::kButtonOk)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(480, 300);
}

}  // namespace tw::gui
