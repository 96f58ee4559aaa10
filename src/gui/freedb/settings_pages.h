// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

#include "freedb/album_tree_format.h"
#include "freedb/settings_io.h"
#include "gui/freedb/freedb_window_context.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tw::gui {

class OrderedCheckList;

// Everything the settings window edits: the client settings (stored through
// SaveStoreConfig) and the album tree's levels.
struct FreeDbSettingsValues {
    freedb::StoreConfig config;
    freedb::TreeFormat treeFormat;
};

// One page of the settings window: load() fills the controls, apply() takes them into the
// values, restoreDefaults() fills the controls with the page's defaults (stored only when
// the window's OK takes them). Nothing a page does is stored before then.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void load(const FreeDbSettingsValues& values) = 0;
    virtual void apply(FreeDbSettingsValues& values) const = 0;
    virtual void restoreDefaults() = 0;
};

// "Internet Connection Settings": the server (from the list, or typed with its port, path
// and transport), the web site for search and submission, the e-mail address, the time-out
// and the proxy.
class ConnectionPage : public SettingsPage {
    Q_OBJECT
public:
    ConnectionPage(const FreeDbWindowContext& context, QWidget* parent = nullptr);
    void load(const FreeDbSettingsValues& values) override;
    void apply(FreeDbSettingsValues& values) const override;
    void restoreDefaults() override;

private:
    void show(const freedb::FreeDbSettings& settings);
    void fillServers(const freedb::FreeDbSettings& settings);
    void chooseServer(int index);
    void getServerList();
    void editProxy();
    // The connection as the page's fields give it now.
    freedb::FreeDbSettings typed() const;

    FreeDbWindowContext context_;
    freedb::FreeDbSettings working_;  // what the fields do not show: servers, proxy
    QComboBox* servers_;
    QLineEdit* host_;
    QLineEdit* port_;
    QLineEdit* path_;
    QCheckBox* http_;
    QLineEdit* webSite_;
    QLineEdit* emailUser_;
    QLineEdit* emailDomain_;
    QLineEdit* timeout_;
    QCheckBox* useProxy_;
};

// "Advanced Settings": the most connections of a retrieval and the logging level.
class AdvancedPage : public SettingsPage {
    Q_OBJECT
public:
    explicit AdvancedPage(QWidget* parent = nullptr);
    void load(const FreeDbSettingsValues& values) override;
    void apply(FreeDbSettingsValues& values) const override;
    void restoreDefaults() override;

private:
    void show(int maxThreads, bool fullLogging);

    QComboBox* maxThreads_;
    QRadioButton* standard_;
    QRadioButton* full_;
};

// "Retrieving Order Settings": the order of the sources, where retrieved and selected
// albums are stored, and the local database's folder and type.
class RetrievingOrderPage : public SettingsPage {
    Q_OBJECT
public:
    RetrievingOrderPage(const FreeDbWindowContext& context, QWidget* parent = nullptr);
    void load(const FreeDbSettingsValues& values) override;
    void apply(FreeDbSettingsValues& values) const override;
    void restoreDefaults() override;

private:
    void show(const freedb::StoreConfig& config);

    FreeDbWindowContext context_;
    OrderedCheckList* order_;
    QCheckBox* retrievedCdPlayer_;
    QCheckBox* retrievedLocalDb_;
    QCheckBox* selectedCdPlayer_;
    QCheckBox* selectedLocalDb_;
    QLineEdit* path_;
    QRadioButton* standardMode_;
    QRadioButton* windowsMode_;
};

// "Album Tree View": the levels that group the album window's tree, in order.
class TreeViewPage : public SettingsPage {
    Q_OBJECT
public:
    explicit TreeViewPage(QWidget* parent = nullptr);
    void load(const FreeDbSettingsValues& values) override;
    void apply(FreeDbSettingsValues& values) const override;
    void restoreDefaults() override;

private:
    void show(const freedb::TreeFormat& format);

    OrderedCheckList* levels_;
};

}  // namespace tw::gui
