// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "export/export_columns.h"
#include "export/list_export.h"

class QCheckBox;

namespace tw::base {
class SettingsStore;
}

namespace tw::gui {

class ExportTarget;
class ShellPort;

// The first page of the export sheet for the fixed layouts: "Filename and Folder:" and
// "Information to Export:", a check box per export column (Picture's always cleared and
// disabled, as it is never exported) with "&Check All", "&Uncheck All" and "&Invert All".
//
// load() shows the folder, the default name and the stored column flags; apply() stores the
// flags (nothing else is kept). Borrows the shell port; owns its widgets.
class CPropertyPageExport : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPageExport(ShellPort& shell, QWidget* parent = nullptr);

    void load(const base::SettingsStore& store, const std::string& folder);
    void apply(base::SettingsStore& store) const;

    ExportTarget& target() const { return *target_; }
    // What the writers need: folder, name and the checked columns.
    exports::ListExportRequest request() const;

    void checkAll();
    void uncheckAll();
    void invertAll();

private:
    // The buttons apply the engine's rules (Picture stays cleared) to what is shown.
    void change(void (exports::ExportColumnFlags::*rule)());
    exports::ExportColumnFlags shownFlags() const;
    void showFlags(const exports::ExportColumnFlags& flags);

    ExportTarget* target_;
    std::array<QCheckBox*, exports::kExportColumnCount> columns_{};
};

}  // namespace tw::gui
