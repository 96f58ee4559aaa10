// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/export/export_template_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "export/template_files.h"
#include "gui/export/export_target.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

CPropertyPageExportTemplate::CPropertyPageExportTemplate(ShellPort& shell,
                                                         exports::DocumentKind kind,
                                                         QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      target_(new ExportTarget(shell, this)),
      templates_(new QComboBox(this)) {
    templates_->setObjectName(QStringLiteral("templates"));
    templates_->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* information = new QGroupBox(text(ids::kExportTemplateInformation), this);
    auto* label = new QLabel(text(ids::kExportTemplateLabel), information);
    label->setBuddy(templates_);
    auto* form = new QFormLayout(information);
    form->addRow(label, templates_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(target_);
    layout->addWidget(information);
    layout->addStretch();
}

void CPropertyPageExportTemplate::load(const base::SettingsStore& store,
                                       const std::string& folder) {
    target_->load(folder);
    names_ = exports::templateList(kind_);
    const QSignalBlocker quiet(templates_);
    templates_->clear();
    for (const std::string& name : names_)
        templates_->addItem(qs(name));
    const int stored = exports::storedTemplateIndex(store, kind_);
    const bool listed = stored >= 0 && stored < templates_->count();
    templates_->setCurrentIndex(listed ? stored : -1);
}

void CPropertyPageExportTemplate::apply(base::SettingsStore& store) const {
    if (templates_->currentIndex() >= 0)
        exports::storeTemplateIndex(store, kind_, templates_->currentIndex());
}

exports::TemplateExportRequest CPropertyPageExportTemplate::request() const {
    std::string name = exports::templateNameAt(names_, templates_->currentIndex());
    std::filesystem::path file = exports::templateFilePath(name);
    return {std::move(name), std::move(file), target_->folder(), target_->fileName()};
}

}  // namespace tw::gui
