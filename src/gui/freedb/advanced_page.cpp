// SPDX-License-Identifier: GPL-2.0-or-later
// The advanced page of the settings window.
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "gui/freedb/settings_pages.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

AdvancedPage::AdvancedPage(QWidget* parent)
    : SettingsPage(parent),
      maxThreads_(new QComboBox(this)),
      standard_(new QRadioButton(text(ids::kSettingsLoggingStandard), this)),
      full_(new QRadioButton(text(ids::kSettingsLoggingFull), this)) {
    maxThreads_->setObjectName(QStringLiteral("maxThreads"));
    standard_->setObjectName(QStringLiteral("loggingStandard"));
    full_->setObjectName(QStringLiteral("loggingFull"));
    for (int count = 1; count <= freedb::FreeDbSettings::kMaxThreadsLimit; ++count)
        maxThreads_->addItem(QString::number(count), count);
    auto* connections = new QGroupBox(text(ids::kSettingsMaxConnections), this);
    (new QVBoxLayout(connections))->addWidget(maxThreads_);
    auto* logging = new QGroupBox(text(ids::kSettingsLoggingLevel), this);
    auto* levels = new QVBoxLayout(logging);
    levels->addWidget(standard_);
    levels->addWidget(full_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(connections);
    layout->addWidget(logging);
    layout->addStretch();
}

void AdvancedPage::load(const FreeDbSettingsValues& values) {
    const freedb::FreeDbSettings& s = values.config.freedb;
    show(s.threadLimit(), s.fullLogging);
}

void AdvancedPage::show(int maxThreads, bool fullLogging) {
    maxThreads_->setCurrentIndex(maxThreads_->findData(maxThreads));
    (fullLogging ? full_ : standard_)->setChecked(true);
}

void AdvancedPage::apply(FreeDbSettingsValues& values) const {
    values.config.freedb.maxThreadsCount = maxThreads_->currentData().toInt();
    values.config.freedb.fullLogging = full_->isChecked();
}

void AdvancedPage::restoreDefaults() {
    freedb::FreeDbSettings defaults;
    defaults.resetAdvancedPage();
    show(defaults.maxThreadsCount, defaults.fullLogging);
}

}  // namespace tw::gui
