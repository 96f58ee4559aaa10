// SPDX-License-Identifier: GPL-2.0-or-later
// The retrieving order page of the settings window.
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "freedb/album_info.h"
#include "gui/common/accessible_names.h"
#include "gui/common/shell_port.h"
#include "gui/freedb/ordered_check_list.h"
#include "gui/freedb/settings_pages.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QString sourceName(std::uint16_t source) {
    switch (static_cast<freedb::AlbumSource>(source)) {
        case freedb::AlbumSource::CdPlayerIni:
            return text(ids::kSettingsStoreCdPlayer);
        case freedb::AlbumSource::LocalDatabase:
            return text(ids::kSettingsStoreLocalDb);
        default:
            return text(ids::kDbInfoTabFreeDb);
    }
}

QGroupBox* storeGroup(QWidget& parent, int titleId, QCheckBox*& cdPlayer, QCheckBox*& localDb,
                      const QString& name) {
    auto* group = new QGroupBox(text(titleId), &parent);
    cdPlayer = new QCheckBox(text(ids::kSettingsStoreCdPlayer), group);
    cdPlayer->setObjectName(name + QStringLiteral("CdPlayer"));
    localDb = new QCheckBox(text(ids::kSettingsStoreLocalDb), group);
    localDb->setObjectName(name + QStringLiteral("LocalDb"));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(cdPlayer);
    layout->addWidget(localDb);
    return group;
}

QRadioButton* modeButton(QWidget& parent, int labelId, int noteId, const QString& name) {
    auto* button = new QRadioButton(text(labelId) + QLatin1Char(' ') + text(noteId), &parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

RetrievingOrderPage::RetrievingOrderPage(const FreeDbWindowContext& context, QWidget* parent)
    : SettingsPage(parent),
      context_(context),
      order_(new OrderedCheckList(this)),
      path_(new QLineEdit(this)) {
    order_->setObjectName(QStringLiteral("retrievingOrder"));
    nameControl(order_->list(), ids::kSettingsPageRetrievingOrder);
    path_->setObjectName(QStringLiteral("localDbPath"));
    QGroupBox* retrieved = storeGroup(*this, ids::kSettingsStoreRetrieved, retrievedCdPlayer_,
                                      retrievedLocalDb_, QStringLiteral("retrieved"));
    QGroupBox* selected = storeGroup(*this, ids::kSettingsStoreSelected, selectedCdPlayer_,
                                     selectedLocalDb_, QStringLiteral("selected"));
    auto* browse = new QToolButton(this);
    browse->setObjectName(QStringLiteral("browseLocalDb"));
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setToolTip(text(ids::kSettingsChooseLocalDbFolder));
    nameControl(*browse, ids::kSettingsChooseLocalDbFolder);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_);
    pathRow->addWidget(browse);
    auto* type = new QGroupBox(text(ids::kSettingsDatabaseType), this);
    standardMode_ = modeButton(*type, ids::kLocalDbStandardMode, ids::kLocalDbStandardModeNote,
                               QStringLiteral("standardMode"));
    windowsMode_ = modeButton(*type, ids::kLocalDbWindowsMode, ids::kLocalDbWindowsModeNote,
                              QStringLiteral("windowsMode"));
    auto* modes = new QVBoxLayout(type);
    modes->addWidget(standardMode_);
    modes->addWidget(windowsMode_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(order_);
    layout->addWidget(retrieved);
    layout->addWidget(selected);
    // The row holds the field and its button: the label's key leads to the field.
    auto* pathLabel = new QLabel(text(ids::kSettingsLocalDbPath), this);
    pathLabel->setBuddy(path_);
    auto* form = new QFormLayout;
    form->addRow(pathLabel, pathRow);
    layout->addLayout(form);
    layout->addWidget(type);
    connect(browse, &QToolButton::clicked, this, [this] {
        if (auto folder = context_.shell.pickDatabaseFolder(utf8(path_->text())))
            path_->setText(qs(*folder));
    });
}

void RetrievingOrderPage::load(const FreeDbSettingsValues& values) {
    show(values.config);
}

void RetrievingOrderPage::show(const freedb::StoreConfig& config) {
    const freedb::FreeDbSettings& s = config.freedb;
    std::vector<OrderedCheckList::Entry> entries;
    for (const freedb::RetrievingOrderEntry& entry : s.retrievingOrder)
        entries.push_back({entry.source, sourceName(entry.source), entry.used});
    order_->setEntries(entries);
    retrievedCdPlayer_->setChecked(s.storeRetrievedInCdPlayer);
    retrievedLocalDb_->setChecked(s.storeRetrievedInLocalDb);
    selectedCdPlayer_->setChecked(s.storeSelectedInCdPlayer);
    selectedLocalDb_->setChecked(s.storeSelectedInLocalDb);
    path_->setText(qs(config.localDb.root.string()));
    (config.localDb.mode == freedb::LocalDbMode::Standard ? standardMode_ : windowsMode_)
        ->setChecked(true);
}

void RetrievingOrderPage::apply(FreeDbSettingsValues& values) const {
    freedb::FreeDbSettings& s = values.config.freedb;
    const std::vector<OrderedCheckList::Entry> entries = order_->entries();
    for (std::size_t i = 0; i < s.retrievingOrder.size() && i < entries.size(); ++i)
        s.retrievingOrder[i] = {static_cast<std::uint16_t>(entries[i].key), entries[i].checked};
    s.storeRetrievedInCdPlayer = retrievedCdPlayer_->isChecked();
    s.storeRetrievedInLocalDb = retrievedLocalDb_->isChecked();
    s.storeSelectedInCdPlayer = selectedCdPlayer_->isChecked();
    s.storeSelectedInLocalDb = selectedLocalDb_->isChecked();
    const QString path = path_->text().trimmed();
    values.config.localDb.root =
        path.isEmpty() ? freedb::DefaultLocalDbRoot() : std::filesystem::path(utf8(path));
    values.config.localDb.mode =
        standardMode_->isChecked() ? freedb::LocalDbMode::Standard : freedb::LocalDbMode::Windows;
}

void RetrievingOrderPage::restoreDefaults() {
    freedb::StoreConfig defaults;
    defaults.localDb.root = freedb::DefaultLocalDbRoot();
    show(defaults);
}

}  // namespace tw::gui
