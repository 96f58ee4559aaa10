// SPDX-License-Identifier: GPL-2.0-or-later
// The connection page of the settings window.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/string_ids.h"
#include "gui/common/accessible_names.h"
#include "gui/freedb/proxy_settings_dialog.h"
#include "gui/freedb/server_list_dialog.h"
#include "gui/freedb/settings_pages.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QLineEdit* makeLine(QWidget& parent, const QString& name) {
    auto* line = new QLineEdit(&parent);
    line->setObjectName(name);
    return line;
}

QString webSiteText(const freedb::FreeDbSettings& s) {
    return s.webPort == freedb::FreeDbSettings::kDefaultWebPort
               ? qs(s.webHost)
               : qs(s.webHost) + QLatin1Char(':') + QString::number(s.webPort);
}

// "host" or "host:port"; a port that is no port number leaves the default.
void takeWebSite(const QString& typed, freedb::FreeDbSettings& s) {
    const QString site = typed.trimmed();
    const auto colon = site.lastIndexOf(QLatin1Char(':'));
    bool isNumber = false;
    const unsigned port = colon > 0 ? site.mid(colon + 1).toUInt(&isNumber) : 0;
    const bool withPort = isNumber && port >= 1 && port <= 65535;
    s.webHost = utf8(withPort ? site.left(colon) : site);
    s.webPort = withPort ? port : freedb::FreeDbSettings::kDefaultWebPort;
    if (s.webHost.empty())
        s.webHost = freedb::FreeDbSettings::kDefaultWebHost;
}

}  // namespace

ConnectionPage::ConnectionPage(const FreeDbWindowContext& context, QWidget* parent)
    : SettingsPage(parent),
      context_(context),
      servers_(new QComboBox(this)),
      host_(makeLine(*this, QStringLiteral("serverHost"))),
      port_(makeLine(*this, QStringLiteral("serverPort"))),
      path_(makeLine(*this, QStringLiteral("httpPath"))),
      http_(new QCheckBox(text(ids::kSettingsUseHttp), this)),
      webSite_(makeLine(*this, QStringLiteral("webSite"))),
      emailUser_(makeLine(*this, QStringLiteral("emailUser"))),
      emailDomain_(makeLine(*this, QStringLiteral("emailDomain"))),
      timeout_(makeLine(*this, QStringLiteral("timeout"))),
      useProxy_(new QCheckBox(text(ids::kSettingsUseProxy), this)) {
    servers_->setObjectName(QStringLiteral("serverList"));
    http_->setObjectName(QStringLiteral("useHttp"));
    useProxy_->setObjectName(QStringLiteral("useProxy"));
    auto* getList = new QPushButton(text(ids::kSettingsGetServerList), this);
    getList->setObjectName(QStringLiteral("getServerList"));
    auto* proxySettings = new QPushButton(text(ids::kSettingsProxySettings), this);
    proxySettings->setObjectName(QStringLiteral("proxySettings"));

    auto* email = new QHBoxLayout;
    email->addWidget(emailUser_);
    email->addWidget(new QLabel(QStringLiteral("@"), this));
    email->addWidget(emailDomain_);
    nameControl(*emailDomain_, ids::kNameEmailDomain);
    auto* timeout = new QHBoxLayout;
    timeout->addWidget(timeout_);
    timeout->addWidget(new QLabel(text(ids::kSettingsSeconds), this));
    timeout->addStretch();
    auto* proxy = new QHBoxLayout;
    proxy->addWidget(useProxy_);
    proxy->addWidget(proxySettings);
    proxy->addStretch();

    auto* form = new QFormLayout(this);
    form->addRow(text(ids::kSettingsServer), servers_);
    form->addRow(QString(), getList);
    form->addRow(text(ids::kSettingsHost), host_);
    form->addRow(text(ids::kSettingsPort), port_);
    form->addRow(text(ids::kSettingsHttpPath), path_);
    form->addRow(QString(), http_);
    form->addRow(text(ids::kSettingsWebSite), webSite_);
    // A row of several controls gets no label of its own from the form, so its "&" would
    // show; the label leads to the row's first field instead.
    auto addLabelledRow = [&](int labelId, QWidget* first, QLayout* row) {
        auto* label = new QLabel(text(labelId), this);
        label->setBuddy(first);
        form->addRow(label, row);
    };
    addLabelledRow(ids::kSettingsEmail, emailUser_, email);
    addLabelledRow(ids::kSettingsTimeout, timeout_, timeout);
    form->addRow(QString(), proxy);

    // `activated` comes from the user alone; the program's own preselection is silent.
    connect(servers_, &QComboBox::activated, this, &ConnectionPage::chooseServer);
    connect(getList, &QPushButton::clicked, this, &ConnectionPage::getServerList);
    connect(proxySettings, &QPushButton::clicked, this, &ConnectionPage::editProxy);
}

void ConnectionPage::load(const FreeDbSettingsValues& values) {
    working_ = values.config.freedb;
    show(working_);
}

void ConnectionPage::show(const freedb::FreeDbSettings& s) {
    fillServers(s);
    host_->setText(qs(s.remoteServer));
    port_->setText(qs(s.remotePort));
    path_->setText(qs(s.remoteHttpPath));
    http_->setChecked(s.useHttp());
    webSite_->setText(webSiteText(s));
    const QString address = qs(s.emailAddress);
    const auto at = address.indexOf(QLatin1Char('@'));
    emailUser_->setText(at < 0 ? address : address.left(at));
    emailDomain_->setText(at < 0 ? QString() : address.mid(at + 1));
    timeout_->setText(QString::number(s.timeout));
    useProxy_->setChecked(s.useProxy());
}

void ConnectionPage::fillServers(const freedb::FreeDbSettings& s) {
    servers_->clear();
    int chosen = -1;
    for (const freedb::ServerRecord& server : s.serverList()) {
        servers_->addItem(QStringLiteral("%1 /%2/ (%3)")
                              .arg(qs(server.site), qs(server.protocol), qs(server.description)));
        if (server.site == s.remoteServer && server.port == s.remotePort)
            chosen = servers_->count() - 1;
    }
    servers_->setCurrentIndex(chosen);
}

void ConnectionPage::chooseServer(int index) {
    const std::vector<freedb::ServerRecord> servers = working_.serverList();
    if (index < 0 || index >= static_cast<int>(servers.size()))
        return;
    freedb::FreeDbSettings chosen = typed();
    chosen.chooseServer(servers[static_cast<std::size_t>(index)]);
    host_->setText(qs(chosen.remoteServer));
    port_->setText(qs(chosen.remotePort));
    path_->setText(qs(chosen.remoteHttpPath));
    http_->setChecked(chosen.useHttp());
}

freedb::FreeDbSettings ConnectionPage::typed() const {
    freedb::FreeDbSettings s = working_;
    s.remoteServer = utf8(host_->text().trimmed());
    s.remotePort = utf8(port_->text().trimmed());
    s.remoteHttpPath = utf8(path_->text());
    s.setOption(freedb::FreeDbSettings::kOptionHttp, http_->isChecked());
    takeWebSite(webSite_->text(), s);
    const QString user = emailUser_->text().trimmed();
    const QString domain = emailDomain_->text().trimmed();
    s.emailAddress = utf8(domain.isEmpty() ? user : user + QLatin1Char('@') + domain);
    s.submitEmailAddress = s.emailAddress;
    bool isNumber = false;
    const long long seconds = timeout_->text().trimmed().toLongLong(&isNumber);
    s.timeout = freedb::FreeDbSettings::clampTimeout(isNumber ? seconds : 0);
    s.setOption(freedb::FreeDbSettings::kOptionProxy, useProxy_->isChecked());
    return s;
}

void ConnectionPage::getServerList() {
    ServerListDialog dialog(context_, typed(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    working_.servers = dialog.servers();
    fillServers(typed());
    const int chosen = dialog.chosenIndex();
    if (chosen >= 0) {
        servers_->setCurrentIndex(chosen);
        chooseServer(chosen);
    }
}

void ConnectionPage::editProxy() {
    freedb::FreeDbSettings s = typed();
    ProxySettingsDialog dialog(s, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    working_.proxyServer = s.proxyServer;
    working_.proxyPort = s.proxyPort;
    working_.proxyUser = s.proxyUser;
    working_.proxyPassword = s.proxyPassword;
    working_.options = s.options;
    useProxy_->setChecked(s.useProxy());
}

void ConnectionPage::apply(FreeDbSettingsValues& values) const {
    freedb::FreeDbSettings& s = values.config.freedb;
    const freedb::FreeDbSettings t = typed();
    s.remoteServer = t.remoteServer;
    s.remotePort = t.remotePort;
    s.remoteHttpPath = t.remoteHttpPath;
    s.webHost = t.webHost;
    s.webPort = t.webPort;
    s.emailAddress = t.emailAddress;
    s.submitEmailAddress = t.submitEmailAddress;
    s.timeout = t.timeout;
    s.servers = t.servers;
    s.proxyServer = t.proxyServer;
    s.proxyPort = t.proxyPort;
    s.proxyUser = t.proxyUser;
    s.proxyPassword = t.proxyPassword;
    s.options = t.options;
}

void ConnectionPage::restoreDefaults() {
    freedb::FreeDbSettings defaults = typed();
    defaults.resetConnectionPage();
    working_.options = defaults.options;
    show(defaults);
}

}  // namespace tw::gui
