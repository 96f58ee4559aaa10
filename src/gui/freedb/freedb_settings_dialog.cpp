// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/freedb/freedb_settings_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "base/user_port.h"
#include "gui/common/dialog_buttons.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

FreeDbSettingsDialog::FreeDbSettingsDialog(const FreeDbWindowContext& context, QWidget* parent)
    : QDialog(parent), context_(context), tabs_(new QTabWidget(this)) {
    setWindowTitle(text(ids::kFreeDbSettingsCaption));
    tabs_->setObjectName(QStringLiteral("pages"));
    // The captions are short; the dialog widens to show them whole.
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->setUsesScrollButtons(false);
    // From any field, lists and text boxes included (they keep Ctrl+Tab to themselves).
    const auto step = [this](int by) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + by + tabs_->count()) % tabs_->count());
    };
    for (const auto& [keys, by] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [step, by = by] { step(by); });
    // The stored values: credentials entered in the prompt stay in memory only.
    values_.config = freedb::LoadStoreConfig(context_.settings, context_.cdPlayerIni);
    values_.treeFormat = freedb::TreeFormat::load(context_.settings);
    const std::pair<SettingsPage*, int> pages[] = {
        {new ConnectionPage(context_, tabs_), ids::kSettingsPageConnection},
        {new AdvancedPage(tabs_), ids::kSettingsPageAdvanced},
        {new RetrievingOrderPage(context_, tabs_), ids::kSettingsPageRetrievingOrder},
        {new TreeViewPage(tabs_), ids::kSettingsPageTreeView},
    };
    for (const auto& [page, titleId] : pages) {
        page->load(values_);
        tabs_->addTab(page, text(titleId));
        pages_.push_back(page);
    }
    QDialogButtonBox* buttons = addOkCancel(*this).box;
    QPushButton* defaults =
        buttons->addButton(commonButtonText(ids::kButtonDefault), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("defaults"));
    connect(defaults, &QPushButton::clicked, this,
            &FreeDbSettingsDialog::restoreDefaultsOfCurrentPage);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void FreeDbSettingsDialog::restoreDefaultsOfCurrentPage() {
    const auto index = static_cast<std::size_t>(tabs_->currentIndex());
    if (index >= pages_.size() ||
        context_.port.askYesNo(base::tr(ids::kMsgConfirmDefaultSettings)) !=
            base::UserPort::Answer::Yes)
        return;
    pages_[index]->restoreDefaults();
}

void FreeDbSettingsDialog::accept() {
    FreeDbSettingsValues values = values_;
    for (const SettingsPage* page : pages_)
        page->apply(values);
    if (!freedb::SaveStoreConfig(values.config, context_.settings)) {
        context_.port.showMessage(base::UserPort::Severity::Error,
                                  base::tr(ids::kMsgWritingFailed));
        return;
    }
    values.treeFormat.save(context_.settings);
    // New credentials typed here replace those entered in the prompt.
    const freedb::FreeDbSettings& before = values_.config.freedb;
    const freedb::FreeDbSettings& after = values.config.freedb;
    if (before.proxyUser != after.proxyUser || before.proxyPassword != after.proxyPassword)
        context_.session->proxyCredentials.reset();
    values_ = values;
    QDialog::accept();
}

}  // namespace tw::gui
